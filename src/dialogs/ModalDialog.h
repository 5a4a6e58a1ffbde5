#pragma once
// How modal dialogs are run: by default QDialog::exec(). Tests install a
// runner that fills in the fields and presses OK or Cancel without a loop.

#include <functional>

class QDialog;

namespace dialogs {

using ModalRunner = std::function<int(QDialog&)>;
// Installs a runner and returns the previous one; empty restores exec().
ModalRunner setModalRunner(ModalRunner runner);
// Runs a dialog through the installed runner; true when it ended with OK.
bool runModal(QDialog& dialog);

} // namespace dialogs
