#include "dialogs/CMinMax.h"

#include "dialogs/DataExchange.h"
#include "dialogs/DialogWidgets.h"
#include "platform/MessageBox.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QGroupBox* rangeGroup(const QString& title, QLineEdit* maxField, QLineEdit* minField) {
    auto* group = new QGroupBox(title);
    auto* form = new QFormLayout(group);
    form->addRow(QStringLiteral("Max:"), maxField);
    form->addRow(QStringLiteral("Min:"), minField);
    return group;
}

} // namespace

CMinMax::CMinMax(QWidget* parent)
    : QDialog(parent), m_mainMaxField(dialogs::namedField("mainMax", true)),
      m_mainMinField(dialogs::namedField("mainMin", true)),
      m_secondMaxField(dialogs::namedField("secondMax", true)),
      m_secondMinField(dialogs::namedField("secondMin", true)) {
    setWindowTitle(QStringLiteral("Set data range"));

    auto* groups = new QVBoxLayout;
    groups->addWidget(rangeGroup(QStringLiteral("Main plot"), m_mainMaxField, m_mainMinField));
    groups->addWidget(
        rangeGroup(QStringLiteral("second plot"), m_secondMaxField, m_secondMinField));

    QPushButton* ok = dialogs::namedButton(QStringLiteral("OK"), "ok");
    ok->setDefault(true);
    QPushButton* resetButton = dialogs::namedButton(QStringLiteral("Reset"), "reset");
    QPushButton* cancel = dialogs::namedButton(QStringLiteral("Cancel"), "cancel");
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(ok);
    buttons->addWidget(resetButton);
    buttons->addWidget(cancel);
    buttons->addStretch();

    auto* layout = new QHBoxLayout(this);
    layout->addLayout(groups);
    layout->addLayout(buttons);

    connect(ok, &QPushButton::clicked, this, &CMinMax::accept);
    connect(resetButton, &QPushButton::clicked, this, &CMinMax::reset);
    connect(cancel, &QPushButton::clicked, this, &CMinMax::reject);
    showValues();
}

void CMinMax::setMainRange(double minimum, double maximum) {
    m_mainMin = minimum;
    m_mainMax = maximum;
    showValues();
}

void CMinMax::setSecondRange(bool hasSecondPlot, double minimum, double maximum) {
    m_hasSecondPlot = hasSecondPlot;
    m_secondMin = hasSecondPlot ? minimum : 0;
    m_secondMax = hasSecondPlot ? maximum : 0;
    showValues();
}

void CMinMax::showValues() {
    m_mainMaxField->setText(dialogs::formatReal(m_mainMax));
    m_mainMinField->setText(dialogs::formatReal(m_mainMin));
    m_secondMaxField->setText(dialogs::formatReal(m_secondMax));
    m_secondMinField->setText(dialogs::formatReal(m_secondMin));
    m_secondMaxField->setEnabled(m_hasSecondPlot);
    m_secondMinField->setEnabled(m_hasSecondPlot);
}

bool CMinMax::validateAndStore() {
    double mainMax = m_mainMax, mainMin = m_mainMin;
    double secondMax = m_secondMax, secondMin = m_secondMin;
    if (!dialogs::exchangeReal(m_mainMaxField, mainMax) ||
        !dialogs::exchangeReal(m_mainMinField, mainMin) ||
        !dialogs::exchangeReal(m_secondMaxField, secondMax) ||
        !dialogs::exchangeReal(m_secondMinField, secondMin))
        return false;

    // Equal bounds are accepted; the second pair counts only with a second plot.
    if (mainMax < mainMin || (m_hasSecondPlot && secondMax < secondMin)) {
        AfxMessageBox("Min should be less than max.", MB_OK);
        return false;
    }
    m_mainMax = mainMax;
    m_mainMin = mainMin;
    m_secondMax = secondMax;
    m_secondMin = secondMin;
    return true;
}

void CMinMax::accept() {
    if (validateAndStore())
        QDialog::accept();
}

void CMinMax::reset() {
    m_mainMin = 0;
    m_mainMax = 0;
    QDialog::accept();
}
