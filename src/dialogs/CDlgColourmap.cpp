#include "dialogs/CDlgColourmap.h"

#include "dialogs/DialogWidgets.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

// The tables in index order. The first four form the left column, the
// perceptually uniform ones come after the nine classic ones.
constexpr const char* kNames[CDlgColourmap::kColourMapCount] = {
    "default", "gray",  "colour2", "colour3", "colour4", "colour5",
    "colour6", "topo1", "topo2",   "viridis", "cividis"};
constexpr int kLeftColumnRows = 4;

bool isColourMapIndex(int index) {
    return index >= 0 && index < CDlgColourmap::kColourMapCount;
}

} // namespace

CDlgColourmap::CDlgColourmap(QWidget* parent)
    : QDialog(parent), m_group(new QButtonGroup(this)),
      m_reverse(new QCheckBox(QStringLiteral("reverse"))) {
    setWindowTitle(QStringLiteral("Colourmap"));
    m_reverse->setObjectName("reverse");

    auto* choices = new QGridLayout;
    for (int index = 0; index < kColourMapCount; ++index) {
        auto* radio = new QRadioButton(QString::fromLatin1(kNames[index]));
        radio->setObjectName(kNames[index]);
        m_group->addButton(radio, index);
        const bool left = index < kLeftColumnRows;
        choices->addWidget(radio, left ? index : index - kLeftColumnRows, left ? 0 : 1);
    }
    choices->addWidget(m_reverse, kLeftColumnRows, 0);

    QPushButton* ok = dialogs::namedButton(QStringLiteral("OK"), "ok");
    ok->setDefault(true);
    QPushButton* cancel = dialogs::namedButton(QStringLiteral("Cancel"), "cancel");
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(ok);
    buttons->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(choices);
    layout->addLayout(buttons);

    connect(ok, &QPushButton::clicked, this, &CDlgColourmap::accept);
    connect(cancel, &QPushButton::clicked, this, &CDlgColourmap::reject);
    setColourMap(0, false);
}

void CDlgColourmap::setColourMap(int index, bool reversed) {
    m_index = isColourMapIndex(index) ? index : 0;
    m_reversed = reversed;
    m_group->button(m_index)->setChecked(true);
    m_reverse->setChecked(reversed);
}

bool CDlgColourmap::validateAndStore() {
    // The group is exclusive and one button is always checked; keep the index regardless.
    const int checked = m_group->checkedId();
    if (isColourMapIndex(checked))
        m_index = checked;
    m_reversed = m_reverse->isChecked();
    return true;
}

void CDlgColourmap::accept() {
    if (validateAndStore())
        QDialog::accept();
}
