#pragma once
// The dialog of Tools > Export picture ...: the picture file (its extension
// chooses PNG, SVG or PDF; Browse offers the three), the magnification, and
// for print the figure's width in centimetres and its text size in points
// (empty fields: not given).

#include <QDialog>
#include <string>

class QLineEdit;

class CDlgExportPicture : public QDialog {
    Q_OBJECT
public:
    explicit CDlgExportPicture(QWidget* parent = nullptr);

    std::string m_path;
    double m_magnification = 0.3; // pixels per plot unit
    double m_widthCm = 0;         // 0: by the magnification
    double m_fontPoints = 0;      // 0: the view's text size (9 pt with a width)

    // Shows the members in the fields; runs whenever the dialog is shown.
    void OnInitDialog();
    // Reads the fields; false (with its message) for a name without a picture
    // extension or a magnification that is not a number above 0.
    bool OnOK();
    void accept() override;

    QLineEdit* pathField() const { return m_pathField; }
    QLineEdit* magnificationField() const { return m_magnificationField; }
    QLineEdit* widthField() const { return m_widthField; }
    QLineEdit* fontField() const { return m_fontField; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void browse();

    QLineEdit* m_pathField;
    QLineEdit* m_magnificationField;
    QLineEdit* m_widthField;
    QLineEdit* m_fontField;
};
