#include "app/CTESKAdatApp.h"

#include "app/BatchInfo.h"
#include "app/CMainFrame.h"
#include "data/CTESKAdatDoc.h"
#include "platform/MessageBox.h"
#include "platform/QtMessageBox.h"

#include <clocale>

namespace {

constexpr const char* kStartupNotice =
    "TESKA/PORLIN data viewer, version 20080808\n\n"
    "Views and prepares potential-field survey data (gravity or magnetics)\n"
    "for use with the TESKA and PORLIN inversion programs and their data\n"
    "and model files.\n\n"
    "Provided as is, without warranty of any kind. See the README for the\n"
    "documentation.";

} // namespace

CTESKAdatApp::CTESKAdatApp(int& argc, char** argv) : QApplication(argc, argv) {
    // QApplication adopts the user's locale; numbers in files stay in the classic form.
    std::setlocale(LC_NUMERIC, "C");
    setApplicationName(QString::fromUtf8(platform::kAppTitle));
}

CTESKAdatApp::~CTESKAdatApp() {
    m_frame.reset(); // the frame and its view go before the document they show
    m_doc.reset();
}

bool CTESKAdatApp::InitInstance(const CommandLine& line) {
    platform::installQtMessageBoxes(nullptr);
    AfxMessageBox(kStartupNotice, MB_OK | MB_ICONINFORMATION);

    m_doc = std::make_unique<CTESKAdatDoc>();
    m_doc->OnNewDocument();
    m_frame = std::make_unique<CMainFrame>(*m_doc);
    platform::installQtMessageBoxes(m_frame.get());
    // A table whose dialog was cancelled leaves the window empty.
    if (!line.observationPath.empty() && !openFromCommandLine(*m_doc, line) &&
        !m_doc->readCancelled())
        return false;
    m_frame->show();
    return true;
}
