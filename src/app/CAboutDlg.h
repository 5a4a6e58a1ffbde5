#pragma once

#include <QDialog>

// The about box: heading, version, publisher and the about text.
class CAboutDlg : public QDialog {
    Q_OBJECT
public:
    explicit CAboutDlg(QWidget* parent = nullptr);

    // The lines of the about text, separated by carriage return and line feed.
    static QString aboutText();
};
