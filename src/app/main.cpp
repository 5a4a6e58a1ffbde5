// teskadat: the viewer window, or a batch run without a window.

#include "BatchEdit.h"
#include "BatchInfo.h"
#include "CMainFrame.h"
#include "CTESKAdatDoc.h"
#include "CommandLine.h"
#include "MessageBox.h"
#include "QtMessageBox.h"

#include <QApplication>
#include <clocale>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace {

constexpr const char* kStartupNotice =
    "TESKA/PORLIN data viewer, version 20080808\n\n"
    "Views and prepares potential-field survey data (gravity or magnetics)\n"
    "for use with the TESKA and PORLIN inversion programs and their data\n"
    "and model files.\n\n"
    "Provided as is, without warranty of any kind. See the README for the\n"
    "documentation.";

// Loads the observation (and predicted) file named on the command line as
// the window does, without the window.
bool loadFromCommandLine(CTESKAdatDoc& doc, const CommandLine& line) {
    doc.setCommandLinePredicted(line.fixedPredictedName, line.predictedPath);
    std::error_code ec;
    const std::filesystem::path full = std::filesystem::absolute(line.observationPath, ec);
    return doc.OnOpenDocument(ec ? line.observationPath : full.string());
}

int runInfo(const CommandLine& line) {
    CTESKAdatDoc doc;
    if (!loadFromCommandLine(doc, line))
        return 1;
    std::fputs(describeDataSet(doc).c_str(), stdout);
    return 0;
}

int runWindow(int argc, char** argv, const CommandLine& line) {
    QApplication app(argc, argv);
    // QApplication adopts the user's locale; numbers in files stay in the classic form.
    std::setlocale(LC_NUMERIC, "C");
    QApplication::setApplicationName(QString::fromUtf8(platform::kAppTitle));
    platform::installQtMessageBoxes(nullptr);

    AfxMessageBox(kStartupNotice, MB_OK | MB_ICONINFORMATION);

    CTESKAdatDoc doc;
    doc.OnNewDocument();
    CMainFrame frame(doc);
    platform::installQtMessageBoxes(&frame);
    if (!line.observationPath.empty() && !loadFromCommandLine(doc, line))
        return 1;
    frame.show();
    return app.exec();
}

} // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    const CommandLine line = parseCommandLine(arguments);
    if (!line.error.empty()) {
        std::fprintf(stderr, "%s\n\n%s", line.error.c_str(), usageText().c_str());
        return 2;
    }
    if (line.mode != CommandLine::Mode::Help && line.isBatchEdit())
        return runBatchEdit(line);
    switch (line.mode) {
    case CommandLine::Mode::Help:
        std::fputs(usageText().c_str(), stdout);
        return 0;
    case CommandLine::Mode::Info:
        return runInfo(line);
    case CommandLine::Mode::Window:
        break;
    }
    return runWindow(argc, argv, line);
}
