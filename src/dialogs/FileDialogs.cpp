#include "dialogs/FileDialogs.h"

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

QString askWithSaveDialog(QWidget* parent, const QString& title, const QString& offered,
                          const QString& filter) {
    return QFileDialog::getSaveFileName(parent, title, offered, filter);
}

SaveFileHandler& currentSaveHandler() {
    static SaveFileHandler handler = askWithSaveDialog;
    return handler;
}

} // namespace

SaveFileHandler setSaveFileHandler(SaveFileHandler handler) {
    SaveFileHandler previous = currentSaveHandler();
    currentSaveHandler() = handler ? std::move(handler) : SaveFileHandler(askWithSaveDialog);
    return previous;
}

QString getSaveFileName(QWidget* parent, const QString& title, const QString& offered,
                        const QString& filter) {
    SaveFileHandler handler = currentSaveHandler();
    return handler(parent, title, offered, filter);
}

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
