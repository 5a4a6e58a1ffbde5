#include "dialogs/CDlgDownsample.h"

#include "data/EditChecks.h"
#include "dialogs/DataExchange.h"
#include "dialogs/DialogLayout.h"
#include "platform/MessageBox.h"

#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QShowEvent>

CDlgDownsample::CDlgDownsample(QWidget* parent)
    : QDialog(parent), m_stepField(new QLineEdit(this)) {
    setWindowTitle("Downsample data");
    m_stepField->setObjectName("step");
    // Digits only, as a number-only edit control takes them.
    m_stepField->setValidator(
        new QRegularExpressionValidator(QRegularExpression("[0-9]*"), m_stepField));
    dialogs::layOutFields(this, {{"Enter value", m_stepField}});
}

void CDlgDownsample::OnInitDialog() {
    m_stepField->setText(dialogs::formatInteger(m_step));
    dialogs::focusField(m_stepField);
}

void CDlgDownsample::showEvent(QShowEvent* event) {
    if (!event->spontaneous())
        OnInitDialog();
    QDialog::showEvent(event);
}

bool CDlgDownsample::OnOK() {
    if (!dialogs::exchangeInteger(m_stepField, m_step))
        return false;
    if (const char* refusal = data::checkDownsampleStep(m_step, m_maximum)) {
        AfxMessageBox(refusal, MB_OK);
        return false;
    }
    return true;
}

void CDlgDownsample::accept() {
    if (OnOK())
        QDialog::accept();
}
