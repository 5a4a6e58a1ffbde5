#pragma once
// The status bar's right-hand pane for the hover readout. It gives way to
// the message pane: it takes only the room that the message's text leaves
// and shows as much of the readout as fits there, in whole parts, or nothing.

#include <QLabel>
#include <QString>

class QFontMetrics;
class QStatusBar;

// The longest leading run of the parts of `text` (separated by two blanks)
// that is at most `width` pixels wide; empty when not even the first fits.
QString fittingReadout(const QString& text, const QFontMetrics& metrics, int width);

class CHoverPane : public QLabel {
    Q_OBJECT
public:
    // Adds itself to `bar` as a permanent widget.
    explicit CHoverPane(QStatusBar* bar);

    // The readout to show as far as there is room; empty clears the pane.
    void setReadout(const QString& text);
    const QString& readout() const { return m_readout; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;

private:
    // Fits the readout into what the bar's message leaves free.
    void updateRoom();
    void noteRightGap();

    QStatusBar* m_bar;
    QString m_readout;
    int m_rightGap = 24; // from the pane's right edge to the bar's (size grip, margins)
};
