#pragma once
// The main window: menu, toolbar, accelerators and status bar around the
// view. Every menu item, button and key is a command of the command table.

#include "platform/CommandTable.h"

#include <QMainWindow>
#include <QMargins>
#include <QSize>
#include <map>
#include <string>
#include <vector>

class CMisfitWindow;
class CTESKAdatDoc;
class CTESKAdatView;
class QAction;
class QToolBar;

class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    explicit CMainFrame(CTESKAdatDoc& doc, QWidget* parent = nullptr);
    ~CMainFrame() override;

    // The window's starting size on a screen of the given size, in pixels.
    static QSize initialSize(QSize screen);

    CTESKAdatView& view() const { return *m_view; }
    CommandTable& commands() { return m_commands; }
    QToolBar* toolBar() const { return m_toolBar; }
    // The action of a command (menu item, button and keys share it); nullptr if none.
    QAction* action(int id) const;

    // Runs a command as its menu item, button or key would.
    bool executeCommand(int id);
    // Brings every item's enabled and checked state up to date.
    void refreshCommandStates();

    // Puts `text` into the status bar's message pane and shows it at once.
    void setStatusText(const QString& text);
    void showIdleMessage();

    // The status bar's banner while nothing else is shown.
    static QString idleMessage();

    // Opens one or two files (observations, then predicted) as File > Open
    // does with those paths: the same questions, checks and messages.
    bool openFiles(const std::vector<std::string>& paths);

    // The misfit statistics window, made on first use and kept.
    CMisfitWindow& misfitWindow();

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void createMenus();
    void createToolBar();
    void createAccelerators();
    void registerFrameCommands();
    QAction* actionFor(int id, const char* text);
    // The relayout's fit: the frame around the canvas, title bar and borders
    // inside the screen's available area; a size given by hand changes only
    // by the change of the canvas.
    void fitToCanvas(QSize canvas);
    // The window manager's decoration around the client area (none before it is shown).
    QMargins frameMargins() const;
    void resizeAsFitted(QSize size);
    // A size the fit asked for (or the window manager's answer to it).
    bool isFittedSize(QSize size) const;
    void keepOnScreen(const QRect& available, QSize outerSize);
    // Takes the activation back after a modal dialog, unless another is open.
    void activateAfterDialog();
    void updateCaption(const std::string& title);
    // The undo and redo prompts name the step they would cross.
    void updateUndoPrompts();

    CTESKAdatDoc& m_doc;
    CTESKAdatView* m_view;
    QToolBar* m_toolBar = nullptr;
    CommandTable m_commands;
    std::map<int, QAction*> m_actions;
    CMisfitWindow* m_misfitWindow = nullptr;
    std::vector<QSize> m_fittedSizes; // the last sizes the fit asked for
    QSize m_fittedCanvas;             // the canvas of the last fit
    bool m_sizedByHand = false;       // the user resized the window
};
