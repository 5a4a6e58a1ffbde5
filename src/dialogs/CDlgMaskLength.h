#pragma once
// The dialog of Tools > Mask long triangles ...: the longest triangle edge
// that is still painted, in metres (0 paints every triangle).

#include <QDialog>
#include <vector>

class QLabel;
class QLineEdit;

class CDlgMaskLength : public QDialog {
    Q_OBJECT
public:
    explicit CDlgMaskLength(QWidget* parent = nullptr);

    double m_length = 0;

    // The longest edge of every triangle (metres, ascending): the dialog
    // shows their median and 95th percentile, and how many triangles the
    // length typed would mask.
    void setLongestEdges(std::vector<double> sortedLengths);
    QString hintText() const;
    QString effectText() const;

    // Shows the member in the field; runs whenever the dialog is shown.
    void OnInitDialog();
    // Reads the field; false (with its message) unless it is a number >= 0.
    bool OnOK();
    void accept() override;

    QLineEdit* lengthField() const { return m_lengthField; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void showEffect();

    QLineEdit* m_lengthField;
    QLabel* m_hint;
    QLabel* m_effect;
    std::vector<double> m_longestEdges;
};
