#pragma once
// The application: start-up notice, the one document with its main window
// and view, and the file named on the command line.

#include "app/CommandLine.h"

#include <QApplication>
#include <memory>

class CMainFrame;
class CTESKAdatDoc;

class CTESKAdatApp : public QApplication {
    Q_OBJECT
public:
    CTESKAdatApp(int& argc, char** argv);
    ~CTESKAdatApp() override;

    // Shows the notice, creates the document, frame and view, opens the
    // command line's file and shows the window. False when the file named
    // on the command line cannot be read (its message was shown).
    bool InitInstance(const CommandLine& line);

    CTESKAdatDoc& document() { return *m_doc; }
    CMainFrame& mainFrame() { return *m_frame; }

private:
    std::unique_ptr<CTESKAdatDoc> m_doc;
    std::unique_ptr<CMainFrame> m_frame;
};
