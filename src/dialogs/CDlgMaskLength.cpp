#include "dialogs/CDlgMaskLength.h"

#include "dialogs/DataExchange.h"
#include "dialogs/DialogLayout.h"
#include "platform/MessageBox.h"

#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QShowEvent>
#include <algorithm>
#include <cmath>

namespace {

// The value below which the share `fraction` of the sorted values lies
// (nearest rank).
double percentile(const std::vector<double>& sorted, double fraction) {
    const auto rank = static_cast<size_t>(std::ceil(fraction * static_cast<double>(sorted.size())));
    return sorted[std::clamp<size_t>(rank, 1, sorted.size()) - 1];
}

QString metres(double value) {
    return QString::number(value, 'g', 4) + QStringLiteral(" m");
}

} // namespace

CDlgMaskLength::CDlgMaskLength(QWidget* parent)
    : QDialog(parent), m_lengthField(new QLineEdit(this)), m_hint(new QLabel(this)),
      m_effect(new QLabel(this)) {
    setWindowTitle("Mask Long Triangles");
    m_lengthField->setObjectName("length");
    m_hint->setObjectName("hint");
    m_effect->setObjectName("effect");
    dialogs::layOutFields(this, {{"Longest edge painted (m, 0 = no mask)", m_lengthField}});
    // Below the field, above the buttons.
    if (auto* box = qobject_cast<QBoxLayout*>(layout())) {
        box->insertWidget(1, m_hint);
        box->insertWidget(2, m_effect);
    }
    connect(m_lengthField, &QLineEdit::textChanged, this, &CDlgMaskLength::showEffect);
}

void CDlgMaskLength::setLongestEdges(std::vector<double> sortedLengths) {
    m_longestEdges = std::move(sortedLengths);
    m_hint->setText(hintText());
    showEffect();
}

QString CDlgMaskLength::hintText() const {
    if (m_longestEdges.empty())
        return {};
    return QStringLiteral("Longest edges of the triangles: median %1, 95 % up to %2.")
        .arg(metres(percentile(m_longestEdges, 0.5)), metres(percentile(m_longestEdges, 0.95)));
}

QString CDlgMaskLength::effectText() const {
    bool number = false;
    const double length = m_lengthField->text().trimmed().toDouble(&number);
    if (m_longestEdges.empty() || !number || !(length >= 0))
        return {};
    if (length == 0)
        return QStringLiteral("Every triangle is painted.");
    const auto kept = std::upper_bound(m_longestEdges.begin(), m_longestEdges.end(), length);
    const auto masked = static_cast<qsizetype>(m_longestEdges.end() - kept);
    return QStringLiteral("This length masks %1 of %2 triangles.")
        .arg(masked)
        .arg(static_cast<qsizetype>(m_longestEdges.size()));
}

void CDlgMaskLength::showEffect() {
    m_effect->setText(effectText());
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
