#pragma once

class QWidget;

namespace platform {

// Routes AfxMessageBox to modal QMessageBox dialogs over `parent` (may be null).
void installQtMessageBoxes(QWidget* parent);

} // namespace platform
