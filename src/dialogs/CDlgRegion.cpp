#include "dialogs/CDlgRegion.h"

#include "dialogs/DataExchange.h"
#include "dialogs/DialogWidgets.h"
#include "platform/MessageBox.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

CDlgRegion::CDlgRegion(QWidget* parent)
    : QDialog(parent), m_x1Field(dialogs::namedField("x1")), m_x2Field(dialogs::namedField("x2")),
      m_y1Field(dialogs::namedField("y1")), m_y2Field(dialogs::namedField("y2")) {
    setWindowTitle(QStringLiteral("Region to Display"));

    auto* fields = new QGridLayout;
    fields->addWidget(new QLabel(QStringLiteral("X")), 0, 0);
    fields->addWidget(m_x1Field, 0, 1);
    fields->addWidget(m_x2Field, 0, 2);
    fields->addWidget(new QLabel(QStringLiteral("Y")), 1, 0);
    fields->addWidget(m_y1Field, 1, 1);
    fields->addWidget(m_y2Field, 1, 2);

    QPushButton* ok = dialogs::namedButton(QStringLiteral("OK"), "ok");
    ok->setDefault(true);
    QPushButton* resetButton = dialogs::namedButton(QStringLiteral("Reset"), "reset");
    QPushButton* cancel = dialogs::namedButton(QStringLiteral("Cancel"), "cancel");
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(ok);
    buttons->addWidget(resetButton);
    buttons->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addLayout(buttons);

    connect(ok, &QPushButton::clicked, this, &CDlgRegion::accept);
    connect(resetButton, &QPushButton::clicked, this, &CDlgRegion::reset);
    connect(cancel, &QPushButton::clicked, this, &CDlgRegion::reject);
    showValues();
}

void CDlgRegion::setRegion(double x1, double x2, double y1, double y2) {
    m_x1 = x1;
    m_x2 = x2;
    m_y1 = y1;
    m_y2 = y2;
    showValues();
}

void CDlgRegion::showValues() {
    m_x1Field->setText(dialogs::formatReal(m_x1));
    m_x2Field->setText(dialogs::formatReal(m_x2));
    m_y1Field->setText(dialogs::formatReal(m_y1));
    m_y2Field->setText(dialogs::formatReal(m_y2));
}

bool CDlgRegion::validateAndStore() {
    double x1 = m_x1, x2 = m_x2, y1 = m_y1, y2 = m_y2;
    if (!dialogs::exchangeReal(m_x1Field, x1) || !dialogs::exchangeReal(m_x2Field, x2) ||
        !dialogs::exchangeReal(m_y1Field, y1) || !dialogs::exchangeReal(m_y2Field, y2))
        return false;

    // Equal edges are refused: the region must have an extent in both directions.
    if (!(x1 < x2)) {
        AfxMessageBox("X1 should be less than X2.", MB_OK);
        return false;
    }
    if (!(y1 < y2)) {
        AfxMessageBox("Y1 should be less than Y2.", MB_OK);
        return false;
    }
    m_x1 = x1;
    m_x2 = x2;
    m_y1 = y1;
    m_y2 = y2;
    return true;
}

void CDlgRegion::accept() {
    if (validateAndStore())
        QDialog::accept();
}

void CDlgRegion::reset() {
    m_x1 = 0;
    m_x2 = 0;
    QDialog::accept();
}
