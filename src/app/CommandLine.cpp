#include "CommandLine.h"

namespace {

struct OptionRule {
    const char* name;
    CommandLine::Mode mode;
};

constexpr OptionRule kModeOptions[] = {
    {"--info", CommandLine::Mode::Info},
    {"--help", CommandLine::Mode::Help},
    {"-h", CommandLine::Mode::Help},
};

bool isOption(const std::string& argument) { return argument.size() > 1 && argument[0] == '-'; }

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
    for (const std::string& argument : arguments) {
        if (!optionsEnded && argument == "--") {
            optionsEnded = true;
        } else if (!optionsEnded && argument == "/pre") {
            line.fixedPredictedName = true;
        } else if (!optionsEnded && isOption(argument)) {
            if (!takeOption(line, argument) && line.error.empty())
                line.error = "Unknown option: " + argument;
        } else {
            takeFile(line, argument);
        }
    }
    if (line.mode == CommandLine::Mode::Info && line.observationPath.empty() && line.error.empty())
        line.error = "--info needs an observation file.";
    return line;
}

std::string usageText() {
    return "Usage: teskadat [OBSERVATIONS [PREDICTED | /pre]]\n"
           "       teskadat --info OBSERVATIONS [PREDICTED | /pre]\n"
           "\n"
           "Without options the viewer window opens, on OBSERVATIONS when given.\n"
           "  /pre    read the inversion's predicted data (quorbelt.pre for magnetic,\n"
           "          frandol.pre for gravity data) from the current directory\n"
           "  --info  load the files as the window would, print a summary and exit\n"
           "          (status 0 when the observation file was read, 1 otherwise)\n"
           "  --help  print this text\n";
}
