#include "app/FigureOptions.h"

#include "app/CommandLine.h"
#include "data/EditChecks.h"

#include <algorithm>
#include <utility>

namespace {

void refuse(CommandLine& line, const std::string& message) {
    if (line.error.empty())
        line.error = message;
}

// A number above 0 (and at most `largest`) for the option, or the refusal.
bool takePositive(CommandLine& line, const std::string& option, const std::string& value,
                  double largest, const char* form, std::optional<double>& target) {
    double number = 0;
    if (!data::parseReal(value, number) || !(number > 0) || !(number <= largest)) {
        refuse(line, option + " needs " + form + ", not \"" + value + "\".");
        return true;
    }
    target = number;
    return true;
}

bool takePanels(CommandLine& line, const std::string& value, std::vector<std::string>& panels) {
    static const char* const kKinds[] = {"observed",   "predicted", "difference",
                                         "normalized", "errors",    "elevation"};
    panels.clear();
    size_t start = 0;
    while (start <= value.size()) {
        const size_t comma = std::min(value.find(',', start), value.size());
        const std::string kind = value.substr(start, comma - start);
        bool known = false;
        for (const char* name : kKinds)
            known |= kind == name;
        if (!known || panels.size() == 4) {
            refuse(line, "--panels needs 1 to 4 of observed, predicted, difference, normalized, "
                         "errors and elevation, not \"" +
                             value + "\".");
            panels.clear();
            return true;
        }
        panels.push_back(kind);
        start = comma + 1;
    }
    return true;
}

bool takeMarks(CommandLine& line, const std::string& value, FigureOptions::Marks& marks) {
    using Marks = FigureOptions::Marks;
    if (value == "none" || value == "small" || value == "normal")
        marks = value == "none" ? Marks::None : value == "small" ? Marks::Small : Marks::Normal;
    else
        refuse(line, "--marks needs none, small or normal, not \"" + value + "\".");
    return true;
}

bool takeText(const std::string& value, std::optional<std::string>& target) {
    target = value;
    return true;
}

} // namespace

bool takeFigureOption(CommandLine& line, const std::vector<std::string>& arguments, size_t& index) {
    static const char* const kValued[] = {
        "--title",   "--xlabel", "--ylabel",    "--profile-step", "--width-cm", "--width-in",
        "--font-pt", "--dpi",    "--colourmap", "--contours",     "--panels",   "--marks"};
    const std::string& option = arguments[index];
    FigureOptions& figure = line.render.figure;
    for (const auto& [name, flag] : {std::pair{"--no-title", &figure.noTitle},
                                     {"--scale-bar", &figure.scaleBar},
                                     {"--north-arrow", &figure.northArrow}})
        if (option == name) {
            *flag = true;
            line.render.anyViewOption = true;
            return true;
        }
    bool valued = false;
    for (const char* name : kValued)
        valued |= option == name;
    if (!valued)
        return false;
    const bool hasValue = index + 1 < arguments.size();
    if (option == "--colourmap") {
        // Only the names; the numbers belong to the rendering options.
        const std::string value = hasValue ? arguments[index + 1] : std::string();
        if (value != "viridis" && value != "cividis")
            return false;
        line.render.colourMap = value == "viridis" ? 9 : 10;
        line.render.anyViewOption = true;
        ++index;
        return true;
    }
    if (!hasValue || (arguments[index + 1].empty() && option != "--title" && option != "--xlabel" &&
                      option != "--ylabel")) {
        refuse(line, option + " needs a value.");
        return true;
    }
    const std::string& value = arguments[++index];
    line.render.anyViewOption = true;
    if (option == "--title")
        return takeText(value, figure.title);
    if (option == "--xlabel")
        return takeText(value, figure.xLabel);
    if (option == "--ylabel")
        return takeText(value, figure.yLabel);
    if (option == "--profile-step")
        return takePositive(line, option, value, 1e12, "a distance in metres above 0",
                            figure.profileStep);
    if (option == "--marks")
        return takeMarks(line, value, figure.marks);
    if (option == "--panels")
        return takePanels(line, value, figure.panels);
    if (option == "--contours")
        return takePositive(line, option, value, 1e300, "an interval above 0 in data units",
                            figure.contours);
    if (option == "--font-pt")
        return takePositive(line, option, value, 200, "a text size in points above 0",
                            figure.fontPoints);
    if (option == "--dpi")
        return takePositive(line, option, value, 2400, "a resolution of 1 to 2400 dots per inch",
                            figure.dpi);
    std::optional<double> width;
    const bool inches = option == "--width-in";
    takePositive(line, option, value, inches ? 100 : 254,
                 inches ? "a width in inches up to 100" : "a width in centimetres up to 254",
                 width);
    if (width) {
        if (figure.widthInches)
            refuse(line, "Give the figure's width once, with --width-cm or --width-in.");
        figure.widthInches = inches ? *width : *width / 2.54;
    }
    return true;
}

void checkFigureOptions(CommandLine& line) {
    const RenderOptions& render = line.render;
    if (!render.figure.panels.empty() &&
        (render.profile || render.second != RenderOptions::Second::Default))
        refuse(line, "--panels lays out the maps side by side; leave out --second and --profile.");
}

std::string figureUsageText() {
    return "Figures for print (with --render):\n"
           "  --title TEXT | --no-title  the main title, or no titles and summary line\n"
           "  --xlabel TEXT, --ylabel TEXT  the easting and northing axis labels\n"
           "  --colourmap viridis | cividis  perceptually uniform colour maps\n"
           "  --profile-step METRES  the profile's sample spacing with --round-ticks and in\n"
           "                         --export-profile (default: half the median station\n"
           "                         spacing)\n"
           "  --width-cm W | --width-in W  the whole picture W wide: SVG and PDF pages of\n"
           "                         that size, a PNG of W at --dpi, text at --font-pt\n"
           "  --font-pt P            text size in points of the page (default 9 with a width)\n"
           "  --dpi D                resolution of the fills and of the PNG (default 300)\n"
           "  --contours INTERVAL    contour lines of the main map every INTERVAL data units\n"
           "  --scale-bar, --north-arrow  a scale bar and a north arrow on the main map\n"
           "  --marks none|small|normal  station marks: none, or where stations crowd one dot\n"
           "                         per 1 pt of the page (2 pixels without a width), or a\n"
           "                         pixel at every station (default)\n"
           "  --panels LIST          1 to 4 maps side by side, lettered (a), (b), ...: any of\n"
           "                         observed, predicted, difference, normalized, errors,\n"
           "                         elevation; observed and predicted share their range\n"
           "                         and one colour bar\n";
}
