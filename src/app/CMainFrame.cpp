#include "CMainFrame.h"

#include "CAboutDlg.h"
#include "CTESKAdatDoc.h"
#include "CTESKAdatView.h"
#include "CViewInteraction.h"
#include "DocumentCommands.h"
#include "FigureCommands.h"
#include "MenuLayout.h"
#include "MessageBox.h"
#include "OpenCommand.h"
#include "Resource.h"
#include "ViewCommands.h"

#include <QAction>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QMenuBar>
#include <QPainter>
#include <QScreen>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTimer>
#include <QToolBar>
#include <algorithm>

namespace {

// A 16 by 15 button image: the glyph drawn on a light face.
QIcon buttonIcon(char glyph) {
    QPixmap image(16, 15);
    image.fill(QColor(0xC0, 0xC0, 0xC0));
    QPainter painter(&image);
    painter.setPen(Qt::black);
    if (glyph == '.') {
        for (const QPoint& dot : {QPoint(3, 3), QPoint(11, 4), QPoint(6, 9), QPoint(12, 11)})
            painter.fillRect(QRect(dot, QSize(2, 2)), Qt::black);
    } else {
        QFont font = painter.font();
        font.setPixelSize(12);
        font.setBold(true);
        painter.setFont(font);
        painter.drawText(QRect(0, 0, 16, 15), Qt::AlignCenter, QString(QChar(glyph)));
    }
    return QIcon(image);
}

} // namespace

CMainFrame::CMainFrame(CTESKAdatDoc& doc, QWidget* parent)
    : QMainWindow(parent), m_doc(doc), m_view(new CTESKAdatView(doc, this)) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    resize(initialSize(screen ? screen->size() : QSize(1024, 768)));
    setCentralWidget(m_view);
    m_view->fitFrameToCanvas = [this](QSize canvas) { fitToCanvas(canvas); };
    // The mouse gestures on the plots report in the status bar.
    auto* mouse = new CViewInteraction(*m_view, this);
    mouse->setStatusText = [this](const QString& text) { setStatusText(text); };
    mouse->showIdleMessage = [this] { showIdleMessage(); };

    registerFrameCommands();
    registerDocumentCommands(m_commands, m_doc, this);
    registerViewCommands(m_commands, *m_view);
    registerFigureCommands(m_commands, *m_view);
    createMenus();
    createToolBar();
    createAccelerators();
    statusBar()->setSizeGripEnabled(true);
    showIdleMessage();

    m_doc.onTitleChanged = [this](const std::string& title) { updateCaption(title); };
    updateCaption(m_doc.GetTitle());

    // Buttons follow their rules while the program idles between commands.
    auto* idle = new QTimer(this);
    connect(idle, &QTimer::timeout, this, &CMainFrame::refreshCommandStates);
    idle->start(250);
    refreshCommandStates();
}

CMainFrame::~CMainFrame() {
    m_doc.onTitleChanged = nullptr;
}

QSize CMainFrame::initialSize(QSize screen) {
    // Truncation of a product of small positive integers cannot overflow.
    const int width = std::min(550, static_cast<int>(0.8 * screen.width()));
    const int height = std::min(590, static_cast<int>(0.9 * screen.height()));
    return {width, height};
}

QString CMainFrame::idleMessage() {
    return QStringLiteral("TESKA/PORLIN data viewer - potential-field data for 3-D inversion");
}

QAction* CMainFrame::action(int id) const {
    const auto found = m_actions.find(id);
    return found == m_actions.end() ? nullptr : found->second;
}

QAction* CMainFrame::actionFor(int id, const char* text) {
    if (QAction* existing = action(id))
        return existing;
    auto* created = new QAction(QString::fromUtf8(text ? text : ""), this);
    created->setData(id);
    connect(created, &QAction::triggered, this, [this, id] { executeCommand(id); });
    m_actions[id] = created;
    return created;
}

void CMainFrame::createMenus() {
    std::map<std::string, QMenu*> menus;
    for (const MenuEntry& entry : menuLayout()) {
        QMenu*& menu = menus[entry.menu];
        if (!menu) {
            menu = menuBar()->addMenu(QString::fromUtf8(entry.menu));
            connect(menu, &QMenu::aboutToShow, this, &CMainFrame::refreshCommandStates);
        }
        QMenu* target = menu;
        if (entry.submenu) {
            QMenu*& sub = menus[std::string(entry.menu) + "/" + entry.submenu];
            if (!sub)
                sub = menu->addMenu(QString::fromUtf8(entry.submenu));
            target = sub;
        }
        if (!entry.text) {
            target->addSeparator();
            continue;
        }
        QAction* item = actionFor(entry.id, entry.text);
        if (entry.prompt)
            item->setStatusTip(QString::fromUtf8(entry.prompt));
        target->addAction(item);
    }
}

void CMainFrame::createToolBar() {
    m_toolBar = addToolBar(QStringLiteral("Toolbar"));
    m_toolBar->setObjectName(QStringLiteral("toolbar"));
    m_toolBar->setMovable(false);
    m_toolBar->setFloatable(false);
    m_toolBar->setIconSize(QSize(16, 15));
    for (const ToolbarEntry& entry : toolbarLayout()) {
        if (entry.id == 0) {
            m_toolBar->addSeparator();
            continue;
        }
        QAction* button = actionFor(entry.id, entry.tooltip);
        button->setIcon(buttonIcon(entry.glyph));
        button->setToolTip(QString::fromUtf8(entry.tooltip));
        button->setIconVisibleInMenu(false);
        m_toolBar->addAction(button);
    }
}

void CMainFrame::createAccelerators() {
    std::map<int, QList<QKeySequence>> keysById;
    for (const Accelerator& accelerator : acceleratorTable())
        keysById[accelerator.id].append(accelerator.keys);
    for (const auto& [id, keys] : keysById) {
        QAction* command = actionFor(id, nullptr);
        command->setShortcuts(keys);
        command->setShortcutContext(Qt::WindowShortcut);
        addAction(command); // keys of commands without a menu item work too
    }
}

void CMainFrame::registerFrameCommands() {
    m_commands.add(ID_APP_EXIT, [this] { close(); });
    m_commands.add(ID_APP_ABOUT, [this] {
        CAboutDlg about(this);
        about.exec();
    });
    m_commands.add(
        ID_VIEW_TOOLBAR, [this] { m_toolBar->setVisible(!m_toolBar->isVisible()); },
        [this](CCmdUI& ui) { ui.SetCheck(m_toolBar && !m_toolBar->isHidden()); });
    m_commands.add(
        ID_VIEW_STATUS_BAR, [this] { statusBar()->setVisible(!statusBar()->isVisible()); },
        [this](CCmdUI& ui) { ui.SetCheck(!statusBar()->isHidden()); });
}

bool CMainFrame::executeCommand(int id) {
    const bool ran = m_commands.execute(id);
    refreshCommandStates();
    return ran;
}

void CMainFrame::refreshCommandStates() {
    for (const auto& [id, item] : m_actions) {
        const CCmdUI ui = m_commands.state(id);
        item->setEnabled(ui.enabled());
        item->setCheckable(ui.checkable());
        if (ui.checkable())
            item->setChecked(ui.checked());
    }
}

void CMainFrame::setStatusText(const QString& text) {
    statusBar()->showMessage(text);
    statusBar()->repaint();
}

void CMainFrame::showIdleMessage() {
    setStatusText(idleMessage());
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    if (dialogs::settleUnsavedChanges(m_doc, [this] { return saveDocument(m_doc, this); }))
        event->accept();
    else
        event->ignore();
}

bool CMainFrame::event(QEvent* event) {
    // When no prompt applies any more, the banner comes back.
    if (event->type() == QEvent::StatusTip &&
        static_cast<QStatusTipEvent*>(event)->tip().isEmpty()) {
        showIdleMessage();
        return true;
    }
    return QMainWindow::event(event);
}

void CMainFrame::fitToCanvas(QSize canvas) {
    if (isMaximized() || isFullScreen())
        return;
    // The whole view widget, scroll bars included: once the window fits the
    // canvas the scroll bars are not needed and the canvas takes their room.
    QSize wanted = size() - m_view->size() + canvas;
    if (const QScreen* screen = this->screen())
        wanted = wanted.boundedTo(screen->availableSize());
    resize(wanted.expandedTo(minimumSizeHint()));
}

void CMainFrame::updateCaption(const std::string& title) {
    setWindowTitle(QString::fromLocal8Bit(title.c_str()) + " - " +
                   QString::fromUtf8(platform::kAppTitle));
}
