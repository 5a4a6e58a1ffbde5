#include "dialogs/ModalDialog.h"

#include <QDialog>

namespace dialogs {
namespace {

ModalRunner& modalRunner() {
    static ModalRunner runner;
    return runner;
}

} // namespace

bool runModal(QDialog& dialog) {
    const ModalRunner& runner = modalRunner();
    return (runner ? runner(dialog) : dialog.exec()) == QDialog::Accepted;
}

ModalRunner setModalRunner(ModalRunner runner) {
    ModalRunner previous = modalRunner();
    modalRunner() = std::move(runner);
    return previous;
}

} // namespace dialogs
