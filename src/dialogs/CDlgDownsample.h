#pragma once
// The dialog of Downsample data: the step, from 2 to the caller's maximum.

#include <QDialog>

class QLineEdit;

class CDlgDownsample : public QDialog {
    Q_OBJECT
public:
    enum { IDD = 140, IDC_STEP = 1021 };

    explicit CDlgDownsample(QWidget* parent = nullptr);

    int m_step = 2;
    int m_maximum = 0; // set by the caller: count / 2

    // Shows the member in the field; runs whenever the dialog is shown.
    void OnInitDialog();
    // Reads and checks the step; false (message shown, dialog stays open,
    // focus left where it is) when refused.
    bool OnOK();
    void accept() override;

    QLineEdit* stepField() const { return m_stepField; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    QLineEdit* m_stepField;
};
