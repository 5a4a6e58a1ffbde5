#include "FileDialogs.h"

#include <QFileDialog>

namespace dialogs {
namespace {

QString askWithFileDialog(QWidget* parent, const QString& title, const QString& filter) {
    // QFileDialog in open mode accepts only existing files.
    return QFileDialog::getOpenFileName(parent, title, QString(), filter);
}

OpenFileHandler& currentHandler() {
    static OpenFileHandler handler = askWithFileDialog;
    return handler;
}

} // namespace

OpenFileHandler setOpenFileHandler(OpenFileHandler handler) {
    OpenFileHandler previous = currentHandler();
    currentHandler() = handler ? std::move(handler) : OpenFileHandler(askWithFileDialog);
    return previous;
}

QString getOpenFileName(QWidget* parent, const QString& title, const QString& filter) {
    OpenFileHandler handler = currentHandler();
    return handler(parent, title, filter);
}

} // namespace dialogs
