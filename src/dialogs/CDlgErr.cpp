#include "dialogs/CDlgErr.h"

#include "data/EditChecks.h"
#include "dialogs/DataExchange.h"
#include "dialogs/DialogLayout.h"
#include "platform/MessageBox.h"

#include <QLineEdit>
#include <QShowEvent>

CDlgErr::CDlgErr(QWidget* parent)
    : QDialog(parent), m_percentField(new QLineEdit(this)), m_minimumField(new QLineEdit(this)) {
    setWindowTitle("Assign Standard Deviation");
    m_percentField->setObjectName("percent");
    m_minimumField->setObjectName("minimum");
    dialogs::layOutFields(this, {{"Percent (%):", m_percentField}, {"+ Minimum:", m_minimumField}});
}

void CDlgErr::OnInitDialog() {
    m_percentField->setText(dialogs::formatReal(m_percent));
    m_minimumField->setText(dialogs::formatReal(m_minimum));
    if (m_noiseMode)
        setWindowTitle("Add Gaussian Noise");
    dialogs::focusField(m_percentField);
}

void CDlgErr::showEvent(QShowEvent* event) {
    if (!event->spontaneous())
        OnInitDialog();
    QDialog::showEvent(event);
}

bool CDlgErr::OnOK() {
    double percent = 0, minimum = 0;
    if (!dialogs::exchangeReal(m_percentField, percent) ||
        !dialogs::exchangeReal(m_minimumField, minimum))
        return false;
    // The members take what was read even when the check refuses it, as the
    // data exchange did; the dialog stays open with the values entered.
    m_percent = percent;
    m_minimum = minimum;
    const data::ErrorValuesCheck check = data::checkErrorValues(percent, minimum);
    if (!check.message)
        return true;
    AfxMessageBox(check.message, MB_OK);
    dialogs::focusField(check.field == data::ErrorField::Minimum ? m_minimumField : m_percentField);
    return false;
}

void CDlgErr::accept() {
    if (OnOK())
        QDialog::accept();
}
