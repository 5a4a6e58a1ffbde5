#pragma once
// The properties of one station: its position, elevation and value shown
// read-only, its error (standard deviation) editable, and a Delete button
// that removes the station after a confirmation.

#include <QDialog>
#include <QString>

class QLineEdit;
class QPushButton;

class CDlgDataProp : public QDialog {
    Q_OBJECT
public:
    enum {
        IDD = 137,
        IDC_X = 1006,
        IDC_Y = 1007,
        IDC_DATA = 1008,
        IDC_ERROR = 1009,
        IDC_ELEVATION = 1010,
        IDC_DELETE = 3,
    };
    // The dialog's result when the user confirmed Delete.
    static constexpr int kDeleteResult = 20;

    explicit CDlgDataProp(QWidget* parent = nullptr);

    double m_x = 0;
    double m_y = 0;
    double m_data = 0;
    double m_error = 0;
    double m_elevation = 0;

    // Shows the members in the fields; runs whenever the dialog is shown.
    void OnInitDialog();
    // Reads the error into m_error; false (dialog stays open, message shown,
    // focus on the error) when it is not a number or not positive. An error
    // whose text was not touched keeps its exact value, though the field
    // shows it with 15 significant digits only.
    bool OnOK();
    // OK: closes only when OnOK accepts.
    void accept() override;
    // Delete: asks for confirmation; Yes closes with kDeleteResult.
    void OnDelete();

    QLineEdit* field(int id) const;
    QPushButton* deleteButton() const { return m_deleteButton; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    QLineEdit* m_xField;
    QLineEdit* m_yField;
    QLineEdit* m_elevationField;
    QLineEdit* m_dataField;
    QLineEdit* m_errorField;
    QPushButton* m_deleteButton;
    QString m_errorShown; // the error's text as the dialog offered it
};
