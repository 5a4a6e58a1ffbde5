#include "app/CommandLine.h"

#include "app/CoordinateOptions.h"
#include "app/TableOptions.h"
#include "platform/MessageBox.h"

namespace {

struct OptionRule {
    const char* name;
    CommandLine::Mode mode;
};

constexpr OptionRule kModeOptions[] = {
    {"--info", CommandLine::Mode::Info},
    {"--help", CommandLine::Mode::Help},
    {"-h", CommandLine::Mode::Help},
    {"--version", CommandLine::Mode::Version},
};

bool isOption(const std::string& argument) {
    return argument.size() > 1 && argument[0] == '-';
}

void takeFile(CommandLine& line, const std::string& argument) {
    if (line.observationPath.empty())
        line.observationPath = argument;
    else if (line.predictedPath.empty())
        line.predictedPath = argument;
    else if (line.error.empty())
        line.error = "Too many files: " + argument;
}

bool takeOption(CommandLine& line, const std::string& argument) {
    for (const OptionRule& rule : kModeOptions) {
        if (argument == rule.name) {
            if (line.mode != CommandLine::Mode::Help)
                line.mode = rule.mode;
            return true;
        }
    }
    return false;
}

} // namespace

CommandLine parseCommandLine(const std::vector<std::string>& arguments) {
    CommandLine line;
    bool optionsEnded = false;
    for (size_t index = 0; index < arguments.size(); ++index) {
        const std::string& argument = arguments[index];
        if (!optionsEnded && argument == "--") {
            optionsEnded = true;
        } else if (!optionsEnded && argument == "/pre") {
            line.fixedPredictedName = true;
        } else if (!optionsEnded && isOption(argument)) {
            if (!takeOption(line, argument) && !takeEditOption(line, arguments, index) &&
                !takeRenderOption(line, arguments, index) &&
                !takeTableOption(line, arguments, index) &&
                !takeCoordinateOption(line, arguments, index) && line.error.empty())
                line.error = "Unknown option: " + argument;
        } else {
            takeFile(line, argument);
        }
    }
    if (line.mode == CommandLine::Mode::Info && line.observationPath.empty() && line.error.empty())
        line.error = "--info needs an observation file.";
    if (line.isBatchEdit() && line.observationPath.empty() && line.error.empty())
        line.error = "Editing options and --save need an observation file.";
    // A seed alone is no batch run; the window would open and ignore it.
    if (line.hasSeed && !line.isBatchEdit() && !line.isRender() &&
        line.mode == CommandLine::Mode::Window && line.error.empty())
        line.error = "--seed needs --add-noise.";
    if (!line.exportGridPath.empty() && line.observationPath.empty() && line.error.empty())
        line.error = "--export-grid needs an observation file.";
    if (line.gridCell > 0 && line.exportGridPath.empty() && line.error.empty())
        line.error = "--cell needs --export-grid.";
    checkRenderOptions(line);
    return line;
}

std::string versionText() {
    return std::string("teskadat ") + platform::kAppVersion + "\n";
}

std::string usageErrorText(const std::string& error) {
    return "teskadat: " + error + "\nTry 'teskadat --help'.\n";
}

std::string usageText() {
    return "Usage: teskadat [OBSERVATIONS [PREDICTED | /pre]]\n"
           "       teskadat --info OBSERVATIONS [PREDICTED | /pre]\n"
           "\n"
           "Without options the viewer window opens, on OBSERVATIONS when given.\n"
           "  /pre    read the inversion's predicted data (quorbelt.pre for magnetic,\n"
           "          frandol.pre for gravity data) from the current directory\n"
           "  --info  load the files as the window would, print a summary and exit\n"
           "          (status 0 when the files were read, 1 when the observation file\n"
           "          or a named predicted file was not)\n"
           "  --help  print this text; --version prints the version\n"
           "\n"
           "Editing without a window: teskadat OBSERVATIONS [PREDICTED] EDITS... [--save OUT]\n"
           "applies the edits in the order given, with the checks of their dialogs, then\n"
           "writes OUT (status 0 on success, 1 when a file could not be read or written,\n"
           "2 when a value was refused; nothing is written then). --info prints the\n"
           "summary after the edits.\n"
           "  --assign-errors PERCENT,MINIMUM  error = |data| * PERCENT / 100 + MINIMUM\n"
           "  --add-noise PERCENT,MINIMUM      assign errors so, then add Gaussian noise\n"
           "  --seed S                         seed of the noise (default: the clock)\n"
           "  --add-constant C                 add C to every value\n"
           "  --downsample STEP                keep every STEP-th station\n"
           "  --crop X1,X2,Y1,Y2               keep the stations inside the region\n"
           "  --log-scale                      switch values to and from log10\n"
           "  --delete-station N               remove station N (1 is the first)\n"
           "  --save OUT                       write the observation file OUT\n"
           "  --export-csv OUT.csv             write the stations (after the edits) as a\n"
           "                                   comma-separated table\n"
           "\n" +
           renderUsageText() + "\n" + tableUsageText() + "\n" + coordinateUsageText();
}
