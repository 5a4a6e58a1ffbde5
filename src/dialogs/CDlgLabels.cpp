#include "dialogs/CDlgLabels.h"

#include "dialogs/DialogWidgets.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

void addCaptionedField(QVBoxLayout* layout, const QString& caption, QLineEdit* field) {
    layout->addWidget(new QLabel(caption));
    layout->addWidget(field);
}

QString toField(const std::string& text) {
    return QString::fromStdString(text);
}
std::string fromField(const QLineEdit* field) {
    return field->text().toStdString();
}

} // namespace

CDlgLabels::CDlgLabels(QWidget* parent)
    : QDialog(parent), m_mainField(dialogs::namedField("mainLabel")),
      m_secondField(dialogs::namedField("secondLabel")),
      m_unitsField(dialogs::namedField("unitsLabel")),
      m_xAxisField(dialogs::namedField("xAxisLabel")),
      m_yAxisField(dialogs::namedField("yAxisLabel")) {
    setWindowTitle(QStringLiteral("Labels"));

    auto* layout = new QVBoxLayout(this);
    addCaptionedField(layout, QStringLiteral("Main label"), m_mainField);
    addCaptionedField(layout, QStringLiteral("Second label"), m_secondField);
    // The units field is about half as wide as the others.
    auto* unitsRow = new QHBoxLayout;
    unitsRow->addWidget(m_unitsField, 1);
    unitsRow->addStretch(1);
    layout->addWidget(new QLabel(QStringLiteral("Units")));
    layout->addLayout(unitsRow);
    addCaptionedField(layout, QStringLiteral("coordinate (x, y) axis labels"), m_xAxisField);
    layout->addWidget(m_yAxisField);

    QPushButton* ok = dialogs::namedButton(QStringLiteral("OK"), "ok");
    ok->setDefault(true);
    QPushButton* cancel = dialogs::namedButton(QStringLiteral("Cancel"), "cancel");
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);

    connect(ok, &QPushButton::clicked, this, &CDlgLabels::accept);
    connect(cancel, &QPushButton::clicked, this, &CDlgLabels::reject);
}

void CDlgLabels::setLabels(const PlotLabels& labels) {
    m_labels = labels;
    m_mainField->setText(toField(labels.main));
    m_secondField->setText(toField(labels.second));
    m_unitsField->setText(toField(labels.units));
    m_xAxisField->setText(toField(labels.xAxis));
    m_yAxisField->setText(toField(labels.yAxis));
}

bool CDlgLabels::validateAndStore() {
    m_labels = {fromField(m_mainField), fromField(m_secondField), fromField(m_unitsField),
                fromField(m_xAxisField), fromField(m_yAxisField)};
    return true;
}

void CDlgLabels::accept() {
    if (validateAndStore())
        QDialog::accept();
}
