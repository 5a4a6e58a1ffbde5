#include "DialogNumbers.h"

#include "Format.h"
#include "MessageBox.h"
#include "TextFile.h"

#include <QLineEdit>
#include <cmath>
#include <cstdlib>

namespace dialogs {
namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

} // namespace

QString formatDialogNumber(double value) {
    data::ClassicNumericLocale classic;
    return QString::fromStdString(formatString("%.15g", value));
}

bool parseDialogNumber(const QString& text, double& value) {
    const std::string bytes = text.toStdString();
    const char* start = bytes.c_str();
    while (isBlank(*start))
        ++start;
    if (*start == '\0')
        return false;

    data::ClassicNumericLocale classic;
    char* end = nullptr;
    const double parsed = std::strtod(start, &end);
    if (end == start || !std::isfinite(parsed))
        return false;
    while (isBlank(*end))
        ++end;
    if (*end != '\0')
        return false;
    value = parsed;
    return true;
}

bool readNumberField(QLineEdit* field, double& value) {
    if (parseDialogNumber(field->text(), value))
        return true;
    AfxMessageBox("Enter a number.", MB_OK);
    field->setFocus(Qt::OtherFocusReason);
    field->selectAll();
    return false;
}

} // namespace dialogs
