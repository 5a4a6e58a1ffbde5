#include "app/CMainFrame.h"

#include "app/CAboutDlg.h"
#include "app/CMisfitWindow.h"
#include "app/HoverPane.h"
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
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QLayout>
#include <QMenuBar>
#include <QMimeData>
#include <QPainter>
#include <QResizeEvent>
#include <QScreen>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTimer>
#include <QToolBar>
#include <QUrl>
#include <QWindow>
#include <algorithm>
#include <utility>

CMainFrame::CMainFrame(CTESKAdatDoc& doc, QWidget* parent)
    : QMainWindow(parent), m_doc(doc), m_view(new CTESKAdatView(doc, this)) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    resizeAsFitted(initialSize(screen ? screen->size() : QSize(1024, 768)));
    setCentralWidget(m_view);
    m_view->fitFrameToCanvas = [this](QSize canvas) { fitToCanvas(canvas); };
    // The mouse gestures on the plots report in the status bar.
    auto* mouse = new CViewInteraction(*m_view, this);
    mouse->setStatusText = [this](const QString& text) { setStatusText(text); };
    mouse->showIdleMessage = [this] { showIdleMessage(); };
    // The hover readout has a pane of its own at the right; the message pane keeps its texts.
    auto* hoverPane = new CHoverPane(statusBar());
    mouse->setHoverText = [hoverPane](const QString& text) { hoverPane->setReadout(text); };
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
    // A read that leaves no stations (a failed one) leaves no file to name.
    connect(m_view, &CTESKAdatView::dataChanged, this,
            [this] { updateCaption(m_doc.count > 0 ? m_doc.GetTitle() : "Untitled"); });
    setAcceptDrops(true);

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
    // Short, so that the hover readout has room beside it at the starting size.
    return QStringLiteral("TESKA/PORLIN data viewer");
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
        ID_EDIT_UNDO, [this] { m_view->undo(); },
        [this](CCmdUI& ui) { ui.Enable(m_doc.history.canUndo()); });
    m_commands.add(
        ID_EDIT_REDO, [this] { m_view->redo(); },
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
    const QSize canvasBefore = std::exchange(m_fittedCanvas, canvas);
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
    // A size given by hand changes only by as much as the canvas does.
    QSize wanted = !m_sizedByHand           ? size() - m_view->size() + canvas
                   : canvasBefore.isValid() ? size() + canvas - canvasBefore
                                            : size();
    const QScreen* screen = this->screen();
    const QMargins decoration = frameMargins();
    if (screen)
        wanted = wanted.boundedTo(screen->availableGeometry().size().shrunkBy(decoration));
    wanted = wanted.expandedTo(minimumSizeHint());
    resizeAsFitted(wanted);
    if (screen && isVisible())
        keepOnScreen(screen->availableGeometry(), wanted.grownBy(decoration));
}

QMargins CMainFrame::frameMargins() const {
    const QWindow* window = windowHandle();
    return window ? window->frameMargins() : QMargins();
}

void CMainFrame::resizeAsFitted(QSize size) {
    // The window manager answers with these sizes; any other is the user's.
    m_fittedSizes.push_back(size);
    if (m_fittedSizes.size() > 8)
        m_fittedSizes.erase(m_fittedSizes.begin());
    resize(size);
}

void CMainFrame::keepOnScreen(const QRect& available, QSize outerSize) {
    const QPoint at = frameGeometry().topLeft();
    const int x =
        std::max(available.left(), std::min(at.x(), available.right() + 1 - outerSize.width()));
    const int y =
        std::max(available.top(), std::min(at.y(), available.bottom() + 1 - outerSize.height()));
    if (QPoint(x, y) != at)
        move(x, y); // the position of a window is that of its frame
}

void CMainFrame::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    const bool normal = !isMaximized() && !isFullScreen() && !isMinimized();
    if (event->spontaneous() && normal && isVisible() && !isFittedSize(event->size()))
        m_sizedByHand = true;
}

bool CMainFrame::isFittedSize(QSize size) const {
    if (std::find(m_fittedSizes.begin(), m_fittedSizes.end(), size) != m_fittedSizes.end())
        return true;
    // A window manager may keep a window that was sized before it had its
    // title bar inside the screen.
    const QScreen* screen = this->screen();
    return screen && !m_fittedSizes.empty() &&
           size == m_fittedSizes.back().boundedTo(
                       screen->availableGeometry().size().shrunkBy(frameMargins()));
}

void CMainFrame::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    // The window manager's title bar and borders are known once the window
    // is on the screen: the fit is made again with them.
    QTimer::singleShot(0, this, [this] {
        if (!m_sizedByHand && m_fittedCanvas.isValid())
            fitToCanvas(m_fittedCanvas);
    });
}

void CMainFrame::updateCaption(const std::string& title) {
    setWindowTitle(QString::fromLocal8Bit(title.c_str()) + " - " +
                   QString::fromUtf8(platform::kAppTitle));
}

namespace {

// The files of a drop, when it brings one or two local files and nothing else.
std::vector<std::string> droppedFiles(const QMimeData* mime) {
    std::vector<std::string> paths;
    if (!mime || !mime->hasUrls() || mime->urls().size() > 2)
        return {};
    for (const QUrl& url : mime->urls()) {
        if (!url.isLocalFile())
            return {};
        paths.push_back(QFile::encodeName(url.toLocalFile()).toStdString());
    }
    return paths;
}

} // namespace

void CMainFrame::dragEnterEvent(QDragEnterEvent* event) {
    if (!droppedFiles(event->mimeData()).empty())
        event->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent* event) {
    const std::vector<std::string> paths = droppedFiles(event->mimeData());
    if (paths.empty())
        return;
    event->acceptProposedAction();
    // The drop's own event loop ends first: the open may ask questions.
    QTimer::singleShot(0, this, [this, paths] { openFiles(paths); });
}

bool CMainFrame::openFiles(const std::vector<std::string>& paths) {
    if (paths.empty() || paths.size() > 2)
        return false;
    const bool opened = dialogs::openDroppedFiles(
        m_doc, this, [this] { return saveDocument(m_doc, this); }, paths[0],
        paths.size() > 1 ? paths[1] : std::string());
    refreshCommandStates();
    if (m_misfitWindow)
        m_misfitWindow->scheduleRefresh();
    return opened;
}
