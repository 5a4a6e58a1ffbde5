#pragma once
// How the dialogs show and read numbers: the general printf form with up to
// 15 significant digits in the classic locale, and a field that does not hold
// a finite number refused with "Enter a number.".

#include <QString>

class QLineEdit;

namespace dialogs {

// `value` as "%.15g" in the classic locale (full stop as decimal separator).
QString formatDialogNumber(double value);

// Reads a whole field as one finite number; blanks and tabs around it are
// allowed. False for an empty field, trailing text, NaN or an infinity.
bool parseDialogNumber(const QString& text, double& value);

// Reads `field` into `value`. On failure: the message "Enter a number.", the
// focus on the field with its text selected, `value` unchanged, false.
bool readNumberField(QLineEdit* field, double& value);

} // namespace dialogs
