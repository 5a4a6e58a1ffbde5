#pragma once
// The file-open dialog behind the Browse buttons, replaceable so that tests
// and batch runs can answer it without a modal window.

#include <QString>
#include <functional>

class QWidget;

namespace dialogs {

// Asks for an existing file; returns its full path, or an empty string when
// the user cancels.
using OpenFileHandler =
    std::function<QString(QWidget* parent, const QString& title, const QString& filter)>;

// Installs a handler and returns the previous one. An empty handler restores
// the default, the desktop's file-open dialog.
OpenFileHandler setOpenFileHandler(OpenFileHandler handler);

// Shows the file-open dialog through the current handler.
QString getOpenFileName(QWidget* parent, const QString& title, const QString& filter);

// Asks for a file to write, offering `offered`; returns the chosen path, or
// an empty string on Cancel. Replaceable like the open dialog.
using SaveFileHandler = std::function<QString(QWidget* parent, const QString& title,
                                              const QString& offered, const QString& filter)>;
SaveFileHandler setSaveFileHandler(SaveFileHandler handler);
QString getSaveFileName(QWidget* parent, const QString& title, const QString& offered,
                        const QString& filter);

} // namespace dialogs
