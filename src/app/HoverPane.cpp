#include "app/HoverPane.h"

#include <QEvent>
#include <QFontMetrics>
#include <QStatusBar>
#include <algorithm>

namespace {

// The status bar draws its message from 6 pixels in and keeps 2 pixels
// before the first permanent widget; a little more keeps the texts apart.
constexpr int kMessageStart = 6;
constexpr int kGapAfterMessage = 12;
constexpr int kTextPadding = 4;

} // namespace

QString fittingReadout(const QString& text, const QFontMetrics& metrics, int width) {
    const QString separator = QStringLiteral("  ");
    QStringList parts = text.split(separator);
    while (!parts.isEmpty()) {
        const QString joined = parts.join(separator);
        if (metrics.horizontalAdvance(joined) <= width)
            return joined;
        parts.removeLast();
    }
    return {};
}

CHoverPane::CHoverPane(QStatusBar* bar) : QLabel(bar), m_bar(bar) {
    setObjectName(QStringLiteral("hoverPane"));
    bar->addPermanentWidget(this);
    bar->installEventFilter(this);
    connect(bar, &QStatusBar::messageChanged, this, &CHoverPane::updateRoom);
    hide();
}

void CHoverPane::setReadout(const QString& text) {
    m_readout = text;
    updateRoom();
}

bool CHoverPane::eventFilter(QObject* watched, QEvent* event) {
    // The bar's layout places its widgets after this filter has run.
    if (watched == m_bar && event->type() == QEvent::Resize)
        QMetaObject::invokeMethod(this, &CHoverPane::updateRoom, Qt::QueuedConnection);
    return QLabel::eventFilter(watched, event);
}

void CHoverPane::resizeEvent(QResizeEvent* event) {
    QLabel::resizeEvent(event);
    noteRightGap();
}

void CHoverPane::moveEvent(QMoveEvent* event) {
    QLabel::moveEvent(event);
    noteRightGap();
}

void CHoverPane::noteRightGap() {
    if (isVisible())
        m_rightGap = std::max(0, m_bar->width() - (geometry().right() + 1));
}

void CHoverPane::updateRoom() {
    const QFontMetrics metrics = fontMetrics();
    const int messageEnd =
        kMessageStart + QFontMetrics(m_bar->font()).horizontalAdvance(m_bar->currentMessage());
    const int room = m_bar->width() - m_rightGap - messageEnd - kGapAfterMessage - kTextPadding;
    const QString shown = fittingReadout(m_readout, metrics, room);
    setText(shown);
    if (shown.isEmpty()) {
        hide();
        return;
    }
    setFixedWidth(metrics.horizontalAdvance(shown) + kTextPadding);
    show();
}
