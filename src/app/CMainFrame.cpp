#include "CMainFrame.h"

#include "CTESKAdatDoc.h"
#include "MessageBox.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QStatusBar>
#include <algorithm>

namespace {
constexpr const char* kIdleMessage = "TESKA/PORLIN data viewer - potential-field survey data";
}

CMainFrame::CMainFrame(CTESKAdatDoc& doc, QWidget* parent) : QMainWindow(parent), m_doc(doc) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    resize(initialSize(screen ? screen->size() : QSize(1024, 768)));
    setCentralWidget(new QLabel(this));
    statusBar()->setSizeGripEnabled(true);
    showIdleMessage();
    m_doc.onTitleChanged = [this](const std::string& title) { updateCaption(title); };
    updateCaption(m_doc.GetTitle());
}

CMainFrame::~CMainFrame() { m_doc.onTitleChanged = nullptr; }

QSize CMainFrame::initialSize(QSize screen) {
    // Truncation of a product of small positive integers cannot overflow.
    const int width = std::min(550, static_cast<int>(0.8 * screen.width()));
    const int height = std::min(590, static_cast<int>(0.9 * screen.height()));
    return {width, height};
}

void CMainFrame::setStatusText(const QString& text) {
    statusBar()->showMessage(text);
    statusBar()->repaint();
}

void CMainFrame::showIdleMessage() { setStatusText(QString::fromUtf8(kIdleMessage)); }

void CMainFrame::updateCaption(const std::string& title) {
    setWindowTitle(QString::fromLocal8Bit(title.c_str()) + " - " +
                   QString::fromUtf8(platform::kAppTitle));
}
