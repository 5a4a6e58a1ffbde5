#pragma once

#include <memory>
#include <string>

class QDialog;
class QWidget;

namespace platform {

// Routes AfxMessageBox to modal QMessageBox dialogs over `parent` (may be null).
void installQtMessageBoxes(QWidget* parent);

// The dialog that shows `text` with the buttons and icon of `style`: a
// QMessageBox, or, when the text would make the box taller than the screen,
// the same caption, icon, text and buttons with the text in a scrollable
// field. exec() returns the QMessageBox::StandardButton pressed (0 when the
// window was closed without a button).
std::unique_ptr<QDialog> createMessageDialog(const std::string& text, unsigned style,
                                             QWidget* parent);

} // namespace platform
