#pragma once
// The dialog of Tools > Mask long triangles ...: the longest triangle edge
// that is still painted, in metres (0 paints every triangle).

#include <QDialog>

class QLineEdit;

class CDlgMaskLength : public QDialog {
    Q_OBJECT
public:
    explicit CDlgMaskLength(QWidget* parent = nullptr);

    double m_length = 0;

    // Shows the member in the field; runs whenever the dialog is shown.
    void OnInitDialog();
    // Reads the field; false (with its message) unless it is a number >= 0.
    bool OnOK();
    void accept() override;

    QLineEdit* lengthField() const { return m_lengthField; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    QLineEdit* m_lengthField;
};
