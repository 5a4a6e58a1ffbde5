#include "dialogs/DialogWidgets.h"

#include <QLineEdit>
#include <QPushButton>

namespace dialogs {

QPushButton* namedButton(const QString& text, const char* name) {
    auto* button = new QPushButton(text);
    button->setObjectName(name);
    return button;
}

QLineEdit* namedField(const char* name, bool rightAligned) {
    auto* field = new QLineEdit;
    field->setObjectName(name);
    if (rightAligned)
        field->setAlignment(Qt::AlignRight);
    return field;
}

} // namespace dialogs
