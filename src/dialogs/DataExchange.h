#pragma once
// Moving values between a dialog's members and its edit fields, as the
// classic dialog data exchange does: numbers shown in the classic form, text
// that is not a number refused with a message and the focus on the field.

#include <QString>

class QLineEdit;

namespace dialogs {

// The text a field shows for a real: up to 15 significant digits.
QString formatReal(double value);
QString formatInteger(int value);

// Reads a finite real from `field`; otherwise "Enter a number.", focus on
// the field, false.
bool exchangeReal(QLineEdit* field, double& value);
// Reads an integer from `field`; otherwise "Enter an integer.", focus on the
// field, false.
bool exchangeInteger(QLineEdit* field, int& value);

// Gives `field` the keyboard focus with its text selected.
void focusField(QLineEdit* field);

} // namespace dialogs
