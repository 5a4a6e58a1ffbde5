#pragma once
// The "Table columns" dialog, shown when a table is opened: the first rows
// of the table as read, a column for every role (prefilled with the
// automatic choice), the survey type, a magnetic table's inducing field and
// the values that mean missing.

#include "data/TableColumns.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QTableWidget;

class CDlgTableColumns : public QDialog {
    Q_OBJECT
public:
    explicit CDlgTableColumns(QWidget* parent = nullptr);

    // Shows the table and the choice to start from.
    void setTable(const data::TablePreview& preview, const data::TableChoice& choice);
    // The choice as confirmed with OK.
    const data::TableChoice& choice() const { return m_choice; }

    // Reads the controls; false (with its message) while a required role has
    // no column, or the field of a magnetic table or a no-data value is not a number.
    bool OnOK();
    void accept() override;

    QComboBox* roleBox(int role) const { return m_roles[role]; }
    QComboBox* typeBox() const { return m_type; }
    QLineEdit* fieldEdit(int k) const { return m_field[k]; }
    QTableWidget* previewTable() const { return m_preview; }

private:
    void fillPreview(const data::TablePreview& preview);
    void takeDataColumnType();
    void enableField();

    data::TableChoice m_choice;
    std::vector<std::string> m_names;
    QLabel* m_format;
    QTableWidget* m_preview;
    QComboBox* m_roles[data::RoleCount];
    QComboBox* m_line;
    QComboBox* m_type;
    QLineEdit* m_field[3];
    QLineEdit* m_noData;
};

namespace dialogs {

// The document's table chooser for the window: the dialog over `parent`,
// run through runModal, `choice` taken from it on OK; false on Cancel.
bool chooseTableColumnsInDialog(QWidget* parent, const data::TablePreview& preview,
                                data::TableChoice& choice);

} // namespace dialogs
