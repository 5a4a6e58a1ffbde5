#include "app/RenderOptions.h"

#include "app/CommandLine.h"
#include "data/EditChecks.h"
#include "platform/PictureFormat.h"

#include <climits>
#include <cmath>

namespace {

using Second = RenderOptions::Second;

struct Choice {
    const char* name;
    int value;
};

constexpr Choice kSecondChoices[] = {
    {"none", int(Second::None)},
    {"errors", int(Second::Errors)},
    {"predicted", int(Second::Predicted)},
    {"normalized", int(Second::Normalized)},
    {"difference", int(Second::Difference)},
    {"elevation", int(Second::Elevation)},
};

constexpr Choice kMethodChoices[] = {{"original", 0}, {"gradient", 1}, {"circles", 2}};

void refuse(CommandLine& line, const std::string& option, const std::string& value,
            const char* form) {
    if (line.error.empty())
        line.error = option + " needs " + form + ", not \"" + value + "\".";
}

void refuse(CommandLine& line, const std::string& message) {
    if (line.error.empty())
        line.error = message;
}

// The option's value, advancing index; null (and line.error set) when the
// arguments end or the value is empty.
const std::string* takeValue(CommandLine& line, const std::vector<std::string>& arguments,
                             size_t& index, const char* form) {
    if (index + 1 >= arguments.size() || arguments[index + 1].empty()) {
        refuse(line, arguments[index] + " needs " + form + ".");
        return nullptr;
    }
    return &arguments[++index];
}

template <class Choices>
bool findChoice(const Choices& choices, const std::string& text, int& value) {
    for (const Choice& choice : choices)
        if (text == choice.name) {
            value = choice.value;
            return true;
        }
    return false;
}

// Splits "a,b,c" into exactly N parts, each accepted by `parse`.
template <class T, size_t N, class Parse>
bool parseList(const std::string& text, std::array<T, N>& values, Parse parse) {
    size_t start = 0;
    for (size_t i = 0; i < N; ++i) {
        const size_t comma = text.find(',', start);
        const bool last = i + 1 == N;
        if (last != (comma == std::string::npos))
            return false;
        if (!parse(text.substr(start, comma - start), values[i]))
            return false;
        start = comma + 1;
    }
    return true;
}

bool parseReals(const std::string& text, std::array<double, 4>& values) {
    return parseList(text, values, data::parseReal);
}
bool parseReals(const std::string& text, std::array<double, 2>& values) {
    return parseList(text, values, data::parseReal);
}
bool parseIntegers(const std::string& text, std::array<int, 4>& values) {
    return parseList(text, values, data::parseInteger);
}

void takeRegion(CommandLine& line, const std::string& option, const std::string& value) {
    std::array<double, 4> region{};
    if (!parseReals(value, region))
        return refuse(line, option, value, "X1,X2,Y1,Y2");
    if (!(region[0] < region[1]))
        return refuse(line, option + ": X1 should be less than X2.");
    if (!(region[2] < region[3]))
        return refuse(line, option + ": Y1 should be less than Y2.");
    line.render.region = region;
}

void takeRange(CommandLine& line, const std::string& option, const std::string& value) {
    std::array<double, 2> range{};
    if (!parseReals(value, range))
        return refuse(line, option, value, "MIN,MAX");
    if (!(range[0] < range[1]))
        return refuse(line, option + ": Min should be less than max.");
    line.render.range = range;
}

void takeNumberOption(CommandLine& line, const std::string& option, const std::string& value) {
    RenderOptions& render = line.render;
    if (option == "--colourmap") {
        int index = 0;
        if (!data::parseInteger(value, index) || index < 0 || index > 8)
            return refuse(line, option, value, "a colour map number from 0 to 8");
        render.colourMap = index;
    } else if (option == "--magnification") {
        double m = 0;
        if (!data::parseReal(value, m) || !(m > 0))
            return refuse(line, option, value, "a number of pixels per plot unit above 0");
        render.magnification = m;
    } else if (option == "--mask-longer-than") {
        double length = 0;
        if (!data::parseReal(value, length) || !(length >= 0))
            return refuse(line, option, value, "a length of 0 or more metres");
        render.maskLength = length;
    } else if (option == "--level") {
        int level = 0;
        if (!data::parseInteger(value, level) || level == INT_MIN)
            return refuse(line, option, value, "an integer number of plot units");
        render.level = level;
    } else if (option == "--profile") {
        std::array<int, 4> ends{};
        if (!parseIntegers(value, ends))
            return refuse(line, option, value, "four integers AX,AY,BX,BY");
        render.profile = ends;
    }
}

// The options that take a value; false for another option.
bool takeValuedOption(CommandLine& line, const std::vector<std::string>& arguments, size_t& index) {
    static const char* const kForms[][2] = {
        {"--render", "a file name"},
        {"--format", "png, svg or pdf"},
        {"--second", "errors, predicted, normalized, difference, elevation or none"},
        {"--method", "original, gradient or circles"},
        {"--colourmap", "a colour map number from 0 to 8"},
        {"--magnification", "a number of pixels per plot unit"},
        {"--region", "X1,X2,Y1,Y2"},
        {"--range", "MIN,MAX"},
        {"--profile", "AX,AY,BX,BY"},
        {"--level", "an integer number of plot units"},
        {"--export-profile", "a file name"},
        {"--mask-longer-than", "a length of 0 or more metres"},
    };
    const std::string option = arguments[index];
    const char* form = nullptr;
    for (const auto& entry : kForms)
        if (option == entry[0])
            form = entry[1];
    if (!form)
        return false;
    const std::string* value = takeValue(line, arguments, index, form);
    if (!value)
        return true;
    RenderOptions& render = line.render;
    render.anyViewOption |= option != "--render" && option != "--export-profile";
    int choice = 0;
    if (option == "--render") {
        if (!render.outputPath.empty())
            refuse(line, "--render may be given once.");
        render.outputPath = *value;
    } else if (option == "--format") {
        render.format = pictureFormatForName("." + *value);
        if (!render.format)
            refuse(line, option, *value, form);
    } else if (option == "--export-profile") {
        if (!render.exportProfilePath.empty())
            refuse(line, "--export-profile may be given once.");
        render.exportProfilePath = *value;
    } else if (option == "--second") {
        if (findChoice(kSecondChoices, *value, choice))
            render.second = static_cast<Second>(choice);
        else
            refuse(line, option, *value, form);
    } else if (option == "--method") {
        if (findChoice(kMethodChoices, *value, choice))
            render.method = choice;
        else
            refuse(line, option, *value, form);
    } else if (option == "--region") {
        takeRegion(line, option, *value);
    } else if (option == "--range") {
        takeRange(line, option, *value);
    } else {
        takeNumberOption(line, option, *value);
    }
    return true;
}

} // namespace

bool takeRenderOption(CommandLine& line, const std::vector<std::string>& arguments, size_t& index) {
    if (takeFigureOption(line, arguments, index))
        return true;
    const std::string& option = arguments[index];
    RenderOptions& render = line.render;
    if (option == "--reverse")
        render.reversed = true;
    else if (option == "--vertical" || option == "--horizontal")
        render.vertical = option == "--vertical";
    else if (option == "--no-locations")
        render.hideLocations = true;
    else if (option == "--diverging")
        render.diverging = true;
    else if (option == "--profile-predicted")
        render.profileWithPredicted = true;
    else if (option == "--round-ticks")
        render.roundTicks = true;
    else
        return takeValuedOption(line, arguments, index);
    render.anyViewOption = true;
    return true;
}

void checkRenderOptions(CommandLine& line) {
    const RenderOptions& render = line.render;
    if (render.anyViewOption && render.outputPath.empty() && render.exportProfilePath.empty() &&
        line.exportGridPath.empty())
        refuse(line, "The view options need --render OUT.png.");
    if (!render.outputPath.empty() && !render.format && !pictureFormatForName(render.outputPath))
        refuse(line, "--render writes PNG, SVG or PDF: the file name should end in .png, "
                     ".svg or .pdf, not \"" +
                         render.outputPath + "\" (or give --format).");
    if (!render.outputPath.empty() && line.observationPath.empty())
        refuse(line, "--render needs an observation file.");
    if (!render.exportProfilePath.empty() && line.observationPath.empty())
        refuse(line, "--export-profile needs an observation file.");
    if (render.level && !render.profile)
        refuse(line, "--level needs --profile.");
    if (render.profileWithPredicted && !render.profile)
        refuse(line, "--profile-predicted needs --profile.");
    if (!render.exportProfilePath.empty() && !render.profile)
        refuse(line, "--export-profile needs --profile.");
    if (render.profile && render.second != Second::Default)
        refuse(line, "--profile shows the profile as the second plot; leave out --second.");
    checkFigureOptions(line);
}

PictureFormat RenderOptions::pictureFormat() const {
    return format.value_or(pictureFormatForName(outputPath).value_or(PictureFormat::Png));
}

std::string renderUsageText() {
    return std::string(
               "Rendering without a window: teskadat --render OUT [VIEW OPTIONS] OBSERVATIONS\n"
               "[PREDICTED] writes the picture that Edit > Copy would copy (edits are applied\n"
               "first; status 1 when a file could not be read or written or the picture is too\n"
               "large, 2 when a value was refused). The name of OUT chooses the format: .png\n"
               "for exactly the copied pixels, .svg or .pdf for text, axes and curves as\n"
               "vectors over an image of the colour fills.\n"
               "  --second KIND          errors, predicted, normalized, difference, elevation or\n"
               "                         none (default: predicted when a predicted file was read)\n"
               "  --method METHOD        original, gradient or circles\n"
               "  --colourmap N          colour map 0 (default) to 8; --reverse turns it around\n"
               "  --magnification M      pixels per plot unit (default 0.3)\n"
               "  --region X1,X2,Y1,Y2   the displayed region, metres\n"
               "  --range MIN,MAX        the colour range of the main plot\n"
               "  --profile AX,AY,BX,BY  a profile from A to B, plot units of the main plot (1000\n"
               "                         across), fitted into the plot as a mouse drag would be\n"
               "  --level L              the profile's level, plot units below its axis\n"
               "  --vertical | --horizontal  the second plot below (default) or beside the main "
               "one\n"
               "  --no-locations         no station marks\n"
               "  --diverging            difference plots in blue, white and red, white at zero,\n"
               "                         with a range symmetric about zero\n"
               "  --profile-predicted    the profile also shows the predicted data, a legend and\n"
               "                         a distance axis; outside the stations' hull both curves\n"
               "                         have gaps\n"
               "  --export-profile OUT.csv  write the profile's samples (distance from A in "
               "metres,\n"
               "                         easting, northing, observed, predicted) to OUT.csv; with\n"
               "                         --profile, with or without --render\n"
               "  --round-ticks          axis and colour-bar labels at round values\n"
               "  --mask-longer-than M   leave triangles with an edge longer than M metres\n"
               "                         unpainted (separate survey blocks)\n") +
           figureUsageText();
}
