#pragma once
// The options of a picture rendered without a window (--render OUT.png):
// each sets the view state that its menu command or dialog would set.

#include "app/FigureOptions.h"
#include "platform/PictureFormat.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

struct CommandLine;

struct RenderOptions {
    // What --second asks for; Default is what loading shows (the predicted
    // map when a predicted file was read, else nothing).
    enum class Second { Default, None, Errors, Predicted, Normalized, Difference, Elevation };

    std::string outputPath;                      // --render: the picture's file (.png, .svg, .pdf)
    std::optional<PictureFormat> format;         // --format, else the name of outputPath
    Second second = Second::Default;             // --second
    std::optional<int> method;                   // --method: 0 original, 1 gradient, 2 circles
    std::optional<int> colourMap;                // --colourmap 0..8
    bool reversed = false;                       // --reverse
    std::optional<double> magnification;         // --magnification, pixels per plot unit
    std::optional<std::array<double, 4>> region; // --region X1,X2,Y1,Y2 (metres)
    std::optional<std::array<double, 2>> range;  // --range MIN,MAX of the main colours
    std::optional<std::array<int, 4>> profile;   // --profile AX,AY,BX,BY (main-plot units)
    std::optional<int> level;                    // --level, units below the profile axis
    std::optional<bool> vertical;                // --vertical / --horizontal
    bool hideLocations = false;                  // --no-locations
    bool diverging = false;                      // --diverging: difference plots blue-white-red
    bool profileWithPredicted = false;           // --profile-predicted
    std::string exportProfilePath;               // --export-profile: the profile's CSV file
    bool roundTicks = false;                     // --round-ticks
    std::optional<double> maskLength;            // --mask-longer-than, metres
    bool anyViewOption = false;                  // some option other than --render was given
    FigureOptions figure;                        // titles, print size and type
    // The format of the picture: --format, else the one outputPath's name ends in.
    PictureFormat pictureFormat() const;
};

// Takes the rendering option at arguments[index] (and its value, advancing
// index past it). False when arguments[index] is none of them; a malformed
// value sets line.error.
bool takeRenderOption(CommandLine& line, const std::vector<std::string>& arguments, size_t& index);

// The checks that need the whole command line: view options need --render
// (or --export-profile), --level, --profile-predicted and --export-profile
// need --profile, and --profile replaces --second.
void checkRenderOptions(CommandLine& line);

// The usage lines of the rendering options.
std::string renderUsageText();
