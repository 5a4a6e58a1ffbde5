#pragma once
// "Labels": the titles of the two plots, the data units and the two axis
// labels, exchanged as typed (empty texts included, no length limit).

#include <QDialog>
#include <string>

class QLineEdit;

struct PlotLabels {
    std::string main;   // main plot title
    std::string second; // second plot title used for predicted data
    std::string units;  // data units
    std::string xAxis;  // horizontal (easting) axis
    std::string yAxis;  // vertical (northing) axis
};

class CDlgLabels : public QDialog {
    Q_OBJECT
public:
    explicit CDlgLabels(QWidget* parent = nullptr);

    void setLabels(const PlotLabels& labels);
    // The texts handed back: the last accepted ones, or those set.
    const PlotLabels& labels() const { return m_labels; }

    // Copies the five fields into the labels; there is nothing to refuse.
    bool validateAndStore();
    void accept() override;

private:
    QLineEdit* m_mainField;
    QLineEdit* m_secondField;
    QLineEdit* m_unitsField;
    QLineEdit* m_xAxisField;
    QLineEdit* m_yAxisField;
    PlotLabels m_labels;
};
