#pragma once
// The dialog of Add constant: one real, any value accepted.

#include <QDialog>

class QLineEdit;

class CBaseConstDlg : public QDialog {
    Q_OBJECT
public:
    enum { IDD = 132, IDC_CONSTANT = 1000 };

    explicit CBaseConstDlg(QWidget* parent = nullptr);

    double m_constant = 0;

    // Shows the member in the field; runs whenever the dialog is shown.
    void OnInitDialog();
    // Reads the field; false ("Enter a number.") when it is not a number.
    bool OnOK();
    void accept() override;

    QLineEdit* constantField() const { return m_constantField; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    QLineEdit* m_constantField;
};
