#include "dialogs/CDlgDataProp.h"

#include "dialogs/DataExchange.h"
#include "dialogs/DialogWidgets.h"
#include "platform/MessageBox.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace {

constexpr const char* kErrorNotPositive = "Standard deviation must be positive.";
constexpr const char* kConfirmDelete =
    "Are you sure you want to delete this point from the data set?";

QLineEdit* readOnlyField(const char* name) {
    QLineEdit* field = dialogs::namedField(name);
    field->setReadOnly(true);
    return field;
}

} // namespace

CDlgDataProp::CDlgDataProp(QWidget* parent)
    : QDialog(parent), m_xField(readOnlyField("x")), m_yField(readOnlyField("y")),
      m_elevationField(readOnlyField("elevation")), m_dataField(readOnlyField("data")),
      m_errorField(dialogs::namedField("error")),
      m_deleteButton(dialogs::namedButton("Delete", "delete")) {
    setWindowTitle("Data Properties");

    auto* form = new QFormLayout;
    form->addRow(new QLabel("X", this), m_xField);
    form->addRow(new QLabel("Y", this), m_yField);
    form->addRow(new QLabel("elevation", this), m_elevationField);
    form->addRow(new QLabel("Data", this), m_dataField);
    form->addRow(new QLabel("Error", this), m_errorField);

    QPushButton* ok = dialogs::namedButton("OK", "ok");
    QPushButton* cancel = dialogs::namedButton("Cancel", "cancel");
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &CDlgDataProp::accept);
    connect(cancel, &QPushButton::clicked, this, &CDlgDataProp::reject);
    connect(m_deleteButton, &QPushButton::clicked, this, &CDlgDataProp::OnDelete);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    buttons->addWidget(m_deleteButton);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);
}

QLineEdit* CDlgDataProp::field(int id) const {
    switch (id) {
    case IDC_X:
        return m_xField;
    case IDC_Y:
        return m_yField;
    case IDC_DATA:
        return m_dataField;
    case IDC_ERROR:
        return m_errorField;
    case IDC_ELEVATION:
        return m_elevationField;
    default:
        return nullptr;
    }
}

void CDlgDataProp::OnInitDialog() {
    m_xField->setText(dialogs::formatReal(m_x));
    m_yField->setText(dialogs::formatReal(m_y));
    m_elevationField->setText(dialogs::formatReal(m_elevation));
    m_dataField->setText(dialogs::formatReal(m_data));
    m_errorShown = dialogs::formatReal(m_error);
    m_errorField->setText(m_errorShown);
    dialogs::focusField(m_errorField);
}

void CDlgDataProp::showEvent(QShowEvent* event) {
    if (!event->spontaneous())
        OnInitDialog();
    QDialog::showEvent(event);
}

bool CDlgDataProp::OnOK() {
    // Only the error is read back: the other fields cannot be edited, and a
    // value the reader refuses (such as a missing data value) must not keep
    // the dialog from closing.
    double error = m_error;
    if (m_errorField->text() != m_errorShown && !dialogs::exchangeReal(m_errorField, error))
        return false;
    if (!(error > 0)) {
        AfxMessageBox(kErrorNotPositive, MB_OK);
        dialogs::focusField(m_errorField);
        return false;
    }
    m_error = error;
    return true;
}

void CDlgDataProp::accept() {
    if (OnOK())
        QDialog::accept();
}

void CDlgDataProp::OnDelete() {
    if (AfxMessageBox(kConfirmDelete, MB_YESNO | MB_ICONQUESTION) == IDYES)
        done(kDeleteResult);
}
