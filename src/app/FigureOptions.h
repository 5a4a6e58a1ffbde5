#pragma once
// The options of --render that shape a figure for print: its titles and
// axis labels, the profile's sample spacing, and its size and type in
// print units.

#include <optional>
#include <string>
#include <vector>

struct CommandLine;

struct FigureOptions {
    std::optional<std::string> title;  // --title: the main plot's title
    bool noTitle = false;              // --no-title: no titles and summary above the plots
    std::optional<std::string> xLabel; // --xlabel
    std::optional<std::string> yLabel; // --ylabel
    std::optional<double> profileStep; // --profile-step, metres between profile samples
    std::optional<double> widthInches; // --width-cm / --width-in: the whole picture's width
    std::optional<double> fontPoints;  // --font-pt: text size (9 pt with a width)
    std::optional<double> dpi;         // --dpi: pixels per inch of the page (300)
    std::optional<double> contours;    // --contours INTERVAL, data units
    bool scaleBar = false;             // --scale-bar
    bool northArrow = false;           // --north-arrow
    enum class Marks { Normal, Small, None };
    Marks marks = Marks::Normal; // --marks
    // --panels: the maps side by side, each "observed", "predicted",
    // "difference", "normalized", "errors" or "elevation"; 1 to 4.
    std::vector<std::string> panels;
};

// Takes the figure option at arguments[index] with its value (advancing
// index); false when it is none of them. A malformed value sets line.error.
// Also takes --colourmap viridis and --colourmap cividis (the other values
// of --colourmap are left to the rendering options).
bool takeFigureOption(CommandLine& line, const std::vector<std::string>& arguments, size_t& index);

// The checks that need the whole command line: --panels replaces --second
// and --profile.
void checkFigureOptions(CommandLine& line);

// The usage lines of the figure options.
std::string figureUsageText();
