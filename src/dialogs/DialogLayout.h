#pragma once
// The common form of the small editing dialogs: labelled fields above an OK
// (default) and a Cancel button.

#include <QString>
#include <initializer_list>
#include <utility>

class QDialog;
class QLineEdit;

namespace dialogs {

using LabelledField = std::pair<QString, QLineEdit*>;

void layOutFields(QDialog* dialog, std::initializer_list<LabelledField> fields);

} // namespace dialogs
