#pragma once
// The dialog of Assign standard deviation and, in noise mode, of Add
// Gaussian noise: a percentage of each value plus a minimum.

#include <QDialog>

class QLineEdit;

class CDlgErr : public QDialog {
    Q_OBJECT
public:
    enum { IDD = 130, IDC_PERCENT = 1000, IDC_MINIMUM = 1002 };

    explicit CDlgErr(QWidget* parent = nullptr);

    bool m_noiseMode = false;
    double m_minimum = 0;
    double m_percent = 0;

    // Shows the members in the fields and, in noise mode, the noise title.
    // Runs whenever the dialog is shown.
    void OnInitDialog();
    // Reads and checks the fields into the members; false (dialog stays
    // open, message shown, focus on the field concerned) when refused.
    bool OnOK();
    // OK: closes only when OnOK accepts.
    void accept() override;

    QLineEdit* percentField() const { return m_percentField; }
    QLineEdit* minimumField() const { return m_minimumField; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    QLineEdit* m_percentField;
    QLineEdit* m_minimumField;
};
