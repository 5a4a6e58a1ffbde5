#include "dialogs/DataExchange.h"

#include "data/EditChecks.h"
#include "data/TextFile.h"
#include "platform/Format.h"
#include "platform/MessageBox.h"

#include <QLineEdit>

namespace dialogs {

QString formatReal(double value) {
    data::ClassicNumericLocale classic;
    return QString::fromStdString(formatString("%.15g", value));
}

QString formatInteger(int value) {
    return QString::number(value);
}

void focusField(QLineEdit* field) {
    field->setFocus(Qt::OtherFocusReason);
    field->selectAll();
}

bool exchangeReal(QLineEdit* field, double& value) {
    if (data::parseReal(field->text().toStdString(), value))
        return true;
    AfxMessageBox(data::kEnterNumber, MB_OK);
    focusField(field);
    return false;
}

bool exchangeInteger(QLineEdit* field, int& value) {
    if (data::parseInteger(field->text().toStdString(), value))
        return true;
    AfxMessageBox(data::kEnterInteger, MB_OK);
    focusField(field);
    return false;
}

} // namespace dialogs
