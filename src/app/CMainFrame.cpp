#include "app/CMainFrame.h"

#include "app/CAboutDlg.h"
#include "app/CMisfitWindow.h"
#include "app/MenuLayout.h"
#include "app/ToolbarIcons.h"
#include "commands/DocumentCommands.h"
#include "commands/FigureCommands.h"
#include "commands/OpenCommand.h"
#include "commands/TableCommands.h"
#include "commands/ToolsCommands.h"
#include "commands/ViewCommands.h"
#include "data/CTESKAdatDoc.h"
#include "interaction/CViewInteraction.h"
#include "platform/MessageBox.h"
#include "platform/Resource.h"
#include "plot/CTESKAdatView.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QLayout>
#include <QMenuBar>
#include <QPainter>
#include <QScreen>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTimer>
#include <QToolBar>
#include <algorithm>

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
    // The hover readout has a pane of its own at the right; the message pane keeps its texts.
    auto* hoverPane = new QLabel(this);
    hoverPane->setObjectName(QStringLiteral("hoverPane"));
    statusBar()->addPermanentWidget(hoverPane);
    mouse->setHoverText = [hoverPane](const QString& text) { hoverPane->setText(text); };
    mouse->runCommand = [this](int id) { return executeCommand(id); };

    m_doc.history.setEnabled(true);
    registerFrameCommands();
    registerDocumentCommands(m_commands, m_doc, this);
    registerViewCommands(m_commands, *m_view);
    registerToolsCommands(m_commands, *m_view, this,
                          [this]() -> CMisfitWindow& { return misfitWindow(); });
    registerTableCommands(m_commands, m_doc, this);
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

CMisfitWindow& CMainFrame::misfitWindow() {
    if (!m_misfitWindow) {
        m_misfitWindow = new CMisfitWindow(m_doc, this);
        connect(m_view, &CTESKAdatView::dataChanged, m_misfitWindow,
                &CMisfitWindow::scheduleRefresh);
    }
    return *m_misfitWindow;
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
        button->setIcon(toolbarIcon(entry.id));
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
    for (const Accelerator& key : desktopKeyTable()) {
        auto* shortcut = new QAction(this);
        shortcut->setShortcut(key.keys);
        shortcut->setShortcutContext(Qt::WindowShortcut);
        connect(shortcut, &QAction::triggered, this, [this, id = key.id] { executeCommand(id); });
        addAction(shortcut);
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
        ID_EDIT_UNDO, [this] { m_doc.undo(); },
        [this](CCmdUI& ui) { ui.Enable(m_doc.history.canUndo()); });
    m_commands.add(
        ID_EDIT_REDO, [this] { m_doc.redo(); },
        [this](CCmdUI& ui) { ui.Enable(m_doc.history.canRedo()); });
    m_commands.add(
        ID_VIEW_STATUS_BAR, [this] { statusBar()->setVisible(!statusBar()->isVisible()); },
        [this](CCmdUI& ui) { ui.SetCheck(!statusBar()->isHidden()); });
}

bool CMainFrame::executeCommand(int id) {
    const bool ran = m_commands.execute(id);
    refreshCommandStates();
    // A failed Open empties the document without telling the view.
    if (ran && m_misfitWindow)
        m_misfitWindow->scheduleRefresh();
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
    updateUndoPrompts();
}

void CMainFrame::updateUndoPrompts() {
    const auto prompt = [](QAction* item, const char* verb, const std::string& label,
                           const char* idle) {
        if (item)
            item->setStatusTip(label.empty() ? QString::fromUtf8(idle)
                                             : QString::fromUtf8(verb) + ' ' +
                                                   QString::fromLocal8Bit(label.c_str()));
    };
    prompt(action(ID_EDIT_UNDO), "Undo", m_doc.history.undoLabel(), "Undo the last change");
    prompt(action(ID_EDIT_REDO), "Redo", m_doc.history.redoLabel(), "Redo the change last undone");
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
    // Without a window manager nobody else gives the activation back when a
    // modal dialog closes, and the next click would only activate the window.
    if (event->type() == QEvent::WindowUnblocked)
        QTimer::singleShot(0, this, &CMainFrame::activateAfterDialog);
    return QMainWindow::event(event);
}

void CMainFrame::activateAfterDialog() {
    if (isVisible() && !isActiveWindow() && !QApplication::activeModalWidget())
        activateWindow();
}

void CMainFrame::fitToCanvas(QSize canvas) {
    if (isMaximized() || isFullScreen())
        return;
    // Before the window is first shown its children have not been laid out
    // (the view still has its default size): lay them out at the present size.
    if (!isVisible() && layout()) {
        layout()->invalidate();
        layout()->activate();
    }
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
