#include "dialogs/CDlgLoadData.h"

#include "dialogs/CEditDrop.h"
#include "dialogs/DialogWidgets.h"
#include "dialogs/FileDialogs.h"
#include "platform/MessageBox.h"

#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <filesystem>
#include <system_error>

namespace {

constexpr int kPathFieldMinimumWidth = 360;

CEditDrop* pathField(const char* name) {
    auto* field = new CEditDrop;
    field->setObjectName(name);
    field->setMinimumWidth(kPathFieldMinimumWidth);
    return field;
}

// Paths travel as the file system's bytes; the fields show them decoded.
QString toField(const std::string& path) {
    return QFile::decodeName(QByteArray::fromStdString(path));
}
std::string fromField(const CEditDrop* field) {
    return QFile::encodeName(field->text()).toStdString();
}

// Anything at the path counts, a folder included (its reader then reports it).
bool somethingExistsAt(const std::string& path) {
    std::error_code error;
    return std::filesystem::exists(std::filesystem::path(path), error);
}

void reportNotFound(const std::string& path, CEditDrop* field) {
    AfxMessageBox("Data file:\n" + path + "\nnot found.", MB_OK);
    field->setFocus(Qt::OtherFocusReason);
}

QHBoxLayout* fieldRow(CEditDrop* field, QPushButton* browse) {
    auto* row = new QHBoxLayout;
    row->addWidget(field, 1);
    row->addWidget(browse);
    return row;
}

} // namespace

CDlgLoadData::CDlgLoadData(QWidget* parent)
    : QDialog(parent), m_observationField(pathField("observationPath")),
      m_predictedField(pathField("predictedPath")) {
    setWindowTitle(QStringLiteral("Load Data"));

    QPushButton* browseObservationButton =
        dialogs::namedButton(QStringLiteral("Browse"), "browseObservation");
    QPushButton* browsePredictedButton =
        dialogs::namedButton(QStringLiteral("Browse"), "browsePredicted");
    QPushButton* ok = dialogs::namedButton(QStringLiteral("OK"), "ok");
    ok->setDefault(true);
    QPushButton* cancel = dialogs::namedButton(QStringLiteral("Cancel"), "cancel");

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("mag/grav data file")));
    layout->addLayout(fieldRow(m_observationField, browseObservationButton));
    layout->addWidget(new QLabel(QStringLiteral("predicted data (optional)")));
    layout->addLayout(fieldRow(m_predictedField, browsePredictedButton));
    layout->addLayout(buttons);

    connect(browseObservationButton, &QPushButton::clicked, this, &CDlgLoadData::browseObservation);
    connect(browsePredictedButton, &QPushButton::clicked, this, &CDlgLoadData::browsePredicted);
    connect(ok, &QPushButton::clicked, this, &CDlgLoadData::accept);
    connect(cancel, &QPushButton::clicked, this, &CDlgLoadData::reject);
}

void CDlgLoadData::setPaths(const std::string& observationPath, const std::string& predictedPath) {
    m_observationPath = observationPath;
    m_predictedPath = predictedPath;
    m_observationField->setText(toField(observationPath));
    m_predictedField->setText(toField(predictedPath));
}

bool CDlgLoadData::validateAndStore() {
    const std::string observation = fromField(m_observationField);
    const std::string predicted = fromField(m_predictedField);
    if (observation.empty()) {
        AfxMessageBox("Data file is missing.", MB_OK);
        return false;
    }
    if (!somethingExistsAt(observation)) {
        reportNotFound(observation, m_observationField);
        return false;
    }
    if (!predicted.empty() && !somethingExistsAt(predicted)) {
        reportNotFound(predicted, m_predictedField);
        return false;
    }
    m_observationPath = observation;
    m_predictedPath = predicted;
    return true;
}

void CDlgLoadData::accept() {
    if (validateAndStore())
        QDialog::accept();
}

void CDlgLoadData::browseObservation() {
    browseInto(m_observationField, QStringLiteral("Load data 1"));
}

void CDlgLoadData::browsePredicted() {
    browseInto(m_predictedField, QStringLiteral("Load data 2"));
}

void CDlgLoadData::browseInto(CEditDrop* field, const QString& title) {
    // A pattern-less "data" entry: every file is offered.
    const QString chosen = dialogs::getOpenFileName(this, title, QStringLiteral("data (*)"));
    if (!chosen.isEmpty())
        field->setText(chosen);
}
