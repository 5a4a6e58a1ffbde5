// teskadat: the viewer window, or a batch run without a window.

#include "app/BatchEdit.h"
#include "app/BatchInfo.h"
#include "app/BatchRender.h"
#include "app/CTESKAdatApp.h"
#include "app/CommandLine.h"
#include "data/CTESKAdatDoc.h"
#include "platform/MessageBox.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

int runInfo(const CommandLine& line) {
    CTESKAdatDoc doc;
    if (!openForBatch(doc, line))
        return 1;
    std::fputs(describeDataSet(doc).c_str(), stdout);
    return 0;
}

int runWindow(int argc, char** argv, const CommandLine& line) {
    CTESKAdatApp app(argc, argv);
    if (!app.InitInstance(line))
        return 1;
    return app.exec();
}

} // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    const CommandLine line = parseCommandLine(arguments);
    if (!line.error.empty()) {
        std::fputs(usageErrorText(line.error).c_str(), stderr);
        return 2;
    }
    const bool printsOnly =
        line.mode == CommandLine::Mode::Help || line.mode == CommandLine::Mode::Version;
    if (!printsOnly && line.isRender())
        return runBatchRender(argc, argv, line);
    if (!printsOnly && line.isBatchEdit())
        return runBatchEdit(line);
    switch (line.mode) {
    case CommandLine::Mode::Help:
        std::fputs(usageText().c_str(), stdout);
        return 0;
    case CommandLine::Mode::Version:
        std::fputs(versionText().c_str(), stdout);
        return 0;
    case CommandLine::Mode::Info:
        return runInfo(line);
    case CommandLine::Mode::Window:
        break;
    }
    return runWindow(argc, argv, line);
}
