#include "dialogs/CBaseConstDlg.h"

#include "dialogs/DataExchange.h"
#include "dialogs/DialogLayout.h"

#include <QLineEdit>
#include <QShowEvent>

CBaseConstDlg::CBaseConstDlg(QWidget* parent)
    : QDialog(parent), m_constantField(new QLineEdit(this)) {
    setWindowTitle("Add Constant");
    m_constantField->setObjectName("constant");
    dialogs::layOutFields(this, {{"Enter constant to add to the data", m_constantField}});
}

void CBaseConstDlg::OnInitDialog() {
    m_constantField->setText(dialogs::formatReal(m_constant));
    dialogs::focusField(m_constantField);
}

void CBaseConstDlg::showEvent(QShowEvent* event) {
    if (!event->spontaneous())
        OnInitDialog();
    QDialog::showEvent(event);
}

bool CBaseConstDlg::OnOK() {
    return dialogs::exchangeReal(m_constantField, m_constant);
}

void CBaseConstDlg::accept() {
    if (OnOK())
        QDialog::accept();
}
