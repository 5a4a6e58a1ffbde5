#pragma once

#include <string>

class CTESKAdatDoc;
struct CommandLine;

// Loads the observation file named on the command line, made absolute, with
// the predicted file the command line names, exactly as the window does at
// start-up. False when the observation file could not be read.
bool openFromCommandLine(CTESKAdatDoc& doc, const CommandLine& line);
// The same for a batch run, which also fails (after the reader's message)
// when the predicted file it names could not be read.
bool openForBatch(CTESKAdatDoc& doc, const CommandLine& line);

// A short, human-readable summary of a loaded data set; with predicted data
// it ends in the misfit figures.
std::string describeDataSet(const CTESKAdatDoc& doc);
