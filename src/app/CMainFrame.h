#pragma once
// The main window: caption, initial size and status bar around the view.

#include <QMainWindow>
#include <QSize>
#include <string>

class CTESKAdatDoc;

class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    explicit CMainFrame(CTESKAdatDoc& doc, QWidget* parent = nullptr);
    ~CMainFrame() override;

    // The window's starting size on a screen of the given size, in pixels.
    static QSize initialSize(QSize screen);

    // Puts `text` into the status bar's message pane.
    void setStatusText(const QString& text);
    void showIdleMessage();

private:
    void updateCaption(const std::string& title);

    CTESKAdatDoc& m_doc;
};
