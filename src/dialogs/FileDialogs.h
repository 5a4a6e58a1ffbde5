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

} // namespace dialogs
