#pragma once
// The program's arguments: the files to open and the batch options.

#include "app/BatchEdit.h"
#include "app/RenderOptions.h"
#include "data/Coordinates.h"
#include "data/TableColumns.h"

#include <cstdint>
#include <string>
#include <vector>

struct CommandLine {
    enum class Mode {
        Window,  // open the main window (on the observation file, if any)
        Info,    // print a summary of the files and exit
        Help,    // print the usage and exit
        Version, // print the program's name and version and exit
    };

    Mode mode = Mode::Window;
    std::string observationPath;     // first argument that is not an option; empty: none
    std::string predictedPath;       // second such argument; empty: none
    bool fixedPredictedName = false; // the argument "/pre": the inversion's fixed predicted file
    std::string error;               // non-empty when the arguments were not understood

    std::vector<EditOption> edits; // edit options, applied in the order given
    std::string savePath;          // --save: where the edited data set is written
    std::string exportCsvPath;     // --export-csv: where the stations are written as a table
    bool hasSeed = false;          // --seed: the noise generator's seed instead of the clock
    std::uint32_t seed = 0;
    // Edits, --save or --export-csv make the run a batch run without a window.
    bool isBatchEdit() const {
        return !edits.empty() || !savePath.empty() || !exportCsvPath.empty();
    }

    data::TableRequest table; // --columns, --type, --field, --nodata: how a table is read
    data::CoordinateRequest coordinates; // --crs, --to-crs
    std::string exportGridPath;          // --export-grid: the main map's values as a grid
    double gridCell = 0;                 // --cell: its spacing in metres; 0: the stations'

    RenderOptions render; // --render and the view options of the picture
    // --render and --export-profile make the run a batch run that writes a
    // picture or the profile's values.
    bool isRender() const {
        return !render.outputPath.empty() || !render.exportProfilePath.empty() ||
               !exportGridPath.empty();
    }
};

// Parses the arguments that follow the program name. "/pre" counts only as
// a whole argument, so paths that contain it are still paths.
CommandLine parseCommandLine(const std::vector<std::string>& arguments);

// The usage text printed by --help.
std::string usageText();

// What --version prints: "teskadat VERSION" and a line feed.
std::string versionText();

// What a usage error prints: the error and where to read more, two lines.
std::string usageErrorText(const std::string& error);
