#pragma once
// The editing commands from the command line: parsing their options, and
// applying them in the order given to the loaded data set, then saving.

#include <string>
#include <vector>

class CTESKAdatDoc;
struct CommandLine;

// One edit option with its values as given on the command line.
struct EditOption {
    enum class Kind { AssignErrors, AddNoise, AddConstant, Downsample, Crop, LogScale, Delete };
    Kind kind;
    std::string text;      // the option and its value as typed, for messages
    double values[4] = {}; // percent, minimum | constant | x1, x2, y1, y2
    int number = 0;        // downsample step | 1-based station number
};

// Takes the edit, --seed or --save option at arguments[index] (and its value,
// advancing index past it). False when arguments[index] is none of them;
// a malformed value sets line.error.
bool takeEditOption(CommandLine& line, const std::vector<std::string>& arguments, size_t& index);

// Exit statuses of a batch run.
enum BatchStatus { kBatchOk = 0, kBatchFailed = 1, kBatchRefused = 2 };

// Applies line.edits to `doc` in order, each with the dialog's checks, then
// saves to line.savePath when given. Refusals and failures are reported
// through AfxMessageBox. Returns kBatchRefused for a refused value (nothing
// saved), kBatchFailed for a failed save, kBatchOk otherwise.
int applyBatchEdits(CTESKAdatDoc& doc, const CommandLine& line);

// The whole batch run for edits and --save: loads the files as the window
// does, applies the edits, saves, and prints the --info summary when asked.
int runBatchEdit(const CommandLine& line);
