#pragma once
// "Set data range": the colour ranges of the main plot and of the second plot.

#include <QDialog>

class QLineEdit;

class CMinMax : public QDialog {
    Q_OBJECT
public:
    explicit CMinMax(QWidget* parent = nullptr);

    void setMainRange(double minimum, double maximum);
    // Without a second plot its fields show 0 and 0 and are disabled.
    void setSecondRange(bool hasSecondPlot, double minimum = 0, double maximum = 0);

    // The values handed back: the last accepted ones, or those set when
    // nothing was accepted. After Reset the main pair is 0 and 0.
    double mainMin() const { return m_mainMin; }
    double mainMax() const { return m_mainMax; }
    double secondMin() const { return m_secondMin; }
    double secondMax() const { return m_secondMax; }
    bool hasSecondPlot() const { return m_hasSecondPlot; }
    // Both main values 0: the caller restores both colour ranges from the data.
    bool requestsDataRanges() const { return m_mainMin == 0 && m_mainMax == 0; }

    // Reads all four fields and checks them; stores them only when valid.
    // A refusal shows its message and returns false (the dialog stays open).
    bool validateAndStore();

    // OK: closes with Accepted only after validateAndStore succeeded.
    void accept() override;
    // Reset: main range 0 and 0, closes with Accepted at once, fields unread.
    void reset();

private:
    void showValues();

    QLineEdit* m_mainMaxField;
    QLineEdit* m_mainMinField;
    QLineEdit* m_secondMaxField;
    QLineEdit* m_secondMinField;
    double m_mainMin = 0, m_mainMax = 0;
    double m_secondMin = 0, m_secondMax = 0;
    bool m_hasSecondPlot = false;
};
