#include "dialogs/CDlgMaskLength.h"

#include "dialogs/DataExchange.h"
#include "dialogs/DialogLayout.h"
#include "platform/MessageBox.h"

#include <QLineEdit>
#include <QShowEvent>

CDlgMaskLength::CDlgMaskLength(QWidget* parent)
    : QDialog(parent), m_lengthField(new QLineEdit(this)) {
    setWindowTitle("Mask Long Triangles");
    m_lengthField->setObjectName("length");
    dialogs::layOutFields(this, {{"Longest edge painted (m, 0 = no mask)", m_lengthField}});
}

void CDlgMaskLength::OnInitDialog() {
    m_lengthField->setText(dialogs::formatReal(m_length));
    dialogs::focusField(m_lengthField);
}

void CDlgMaskLength::showEvent(QShowEvent* event) {
    if (!event->spontaneous())
        OnInitDialog();
    QDialog::showEvent(event);
}

bool CDlgMaskLength::OnOK() {
    double length = 0;
    if (!dialogs::exchangeReal(m_lengthField, length))
        return false;
    if (!(length >= 0)) {
        AfxMessageBox("Enter a length of 0 or more metres.", MB_OK);
        dialogs::focusField(m_lengthField);
        return false;
    }
    m_length = length;
    return true;
}

void CDlgMaskLength::accept() {
    if (OnOK())
        QDialog::accept();
}
