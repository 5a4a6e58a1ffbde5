#pragma once
// "Colourmap": one of the nine colour tables (or the two perceptually
// uniform ones after them) and whether it is reversed.

#include <QDialog>

class QButtonGroup;
class QCheckBox;

class CDlgColourmap : public QDialog {
    Q_OBJECT
public:
    // The number of colour tables, and so of radio buttons.
    static constexpr int kColourMapCount = 11;

    explicit CDlgColourmap(QWidget* parent = nullptr);

    // Selects the radio button at `index` (0 "default" to 10 "cividis"); an index
    // outside that range selects "default".
    void setColourMap(int index, bool reversed);

    // The values handed back: the last accepted ones, or those set.
    int colourMapIndex() const { return m_index; }
    bool reversed() const { return m_reversed; }

    // Takes the selected radio button and the check box; nothing to refuse.
    bool validateAndStore();
    void accept() override;

private:
    QButtonGroup* m_group;
    QCheckBox* m_reverse;
    int m_index = 0;
    bool m_reversed = false;
};
