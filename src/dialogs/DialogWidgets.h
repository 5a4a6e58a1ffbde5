#pragma once
// Small builders shared by the dialogs. Every control gets an object name so
// that callers and tests can find it.

#include <QString>

class QLineEdit;
class QPushButton;

namespace dialogs {

QPushButton* namedButton(const QString& text, const char* name);
QLineEdit* namedField(const char* name, bool rightAligned = false);

} // namespace dialogs
