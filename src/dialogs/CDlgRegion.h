#pragma once
// "Region to Display": the western, eastern, southern and northern edges of
// the part of the map that is shown, in metres.

#include <QDialog>

class QLineEdit;

class CDlgRegion : public QDialog {
    Q_OBJECT
public:
    explicit CDlgRegion(QWidget* parent = nullptr);

    void setRegion(double x1, double x2, double y1, double y2);

    // The values handed back: the last accepted ones, or those set when
    // nothing was accepted. After Reset X1 and X2 are 0, Y1 and Y2 unchanged.
    double x1() const { return m_x1; }
    double x2() const { return m_x2; }
    double y1() const { return m_y1; }
    double y2() const { return m_y2; }
    // X1 and X2 both 0 (only Reset gives that): the caller shows the whole data extent.
    bool requestsDataExtent() const { return m_x1 == 0 && m_x2 == 0; }

    // Reads the four fields and checks X1 < X2, then Y1 < Y2; stores them
    // only when valid. A refusal shows its message and returns false.
    bool validateAndStore();

    // OK: closes with Accepted only after validateAndStore succeeded.
    void accept() override;
    // Reset: X1 = X2 = 0, closes with Accepted at once, fields unread.
    void reset();

private:
    void showValues();

    QLineEdit* m_x1Field;
    QLineEdit* m_x2Field;
    QLineEdit* m_y1Field;
    QLineEdit* m_y2Field;
    double m_x1 = 0, m_x2 = 0, m_y1 = 0, m_y2 = 0;
};
