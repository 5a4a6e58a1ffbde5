#include "dialogs/CDlgTableColumns.h"

#include "data/EditChecks.h"
#include "dialogs/DataExchange.h"
#include "dialogs/ModalDialog.h"
#include "platform/MessageBox.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

const char* const kRoleLabels[data::RoleCount] = {"Easting", "Northing", "Elevation", "Data",
                                                  "Error"};
const QString kNone = QStringLiteral("none (0)");

QString separatorName(char separator) {
    switch (separator) {
    case ',':
        return "comma";
    case ';':
        return "semicolon";
    case '\t':
        return "tab";
    default:
        return "blanks";
    }
}

bool isOptional(int role) {
    return role == data::RoleElevation || role == data::RoleError;
}

// Items: "none (0)" first for optional roles, then the column names. The
// item data is the column index (-1 for none).
void fillRoleBox(QComboBox* box, const std::vector<std::string>& names, bool optional, int column) {
    box->clear();
    if (optional)
        box->addItem(kNone, -1);
    for (size_t i = 0; i < names.size(); ++i)
        box->addItem(QString::fromStdString(names[i]), static_cast<int>(i));
    box->setCurrentIndex(box->findData(column));
}

int columnOf(const QComboBox* box) {
    return box->currentIndex() < 0 ? -1 : box->currentData().toInt();
}

QLineEdit* namedEdit(QWidget* parent, const char* name) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    return edit;
}

} // namespace

CDlgTableColumns::CDlgTableColumns(QWidget* parent)
    : QDialog(parent), m_format(new QLabel(this)), m_preview(new QTableWidget(this)),
      m_line(new QComboBox(this)), m_type(new QComboBox(this)),
      m_noData(namedEdit(this, "noData")) {
    setWindowTitle("Table columns");
    m_format->setObjectName("format");
    m_preview->setObjectName("preview");
    m_preview->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_preview->setMinimumSize(560, 220);
    auto* form = new QFormLayout;
    for (int role = 0; role < data::RoleCount; ++role) {
        m_roles[role] = new QComboBox(this);
        m_roles[role]->setObjectName(data::tableRoleName(role));
        m_roles[role]->setPlaceholderText("(choose a column)");
        form->addRow(kRoleLabels[role], m_roles[role]);
    }
    m_line->setObjectName("line");
    form->addRow("Survey line", m_line);
    m_type->setObjectName("type");
    m_type->addItems({"gravity (mGal)", "magnetic (nT)"});
    form->addRow("Type", m_type);
    const char* fieldNames[3] = {"inclination", "declination", "field"};
    const char* fieldLabels[3] = {"Inclination (degrees)", "Declination (degrees)",
                                  "Field strength (nT)"};
    for (int k = 0; k < 3; ++k) {
        m_field[k] = namedEdit(this, fieldNames[k]);
        form->addRow(fieldLabels[k], m_field[k]);
    }
    form->addRow("No-data values", m_noData);
    m_noData->setPlaceholderText("e.g. -99999, 1e30");

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CDlgTableColumns::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_format);
    layout->addWidget(m_preview, 1);
    layout->addLayout(form);
    layout->addWidget(buttons);

    connect(m_roles[data::RoleData], qOverload<int>(&QComboBox::currentIndexChanged), this,
            [this] { takeDataColumnType(); });
    connect(m_type, qOverload<int>(&QComboBox::currentIndexChanged), this,
            [this] { enableField(); });
}

void CDlgTableColumns::setTable(const data::TablePreview& preview,
                                const data::TableChoice& choice) {
    m_choice = choice;
    m_names = preview.names;
    m_format->setText(
        QString("Separator: %1    Decimal mark: %2    Header: line %3")
            .arg(separatorName(preview.separator), preview.decimalMark == ',' ? "comma" : "point")
            .arg(preview.headerLine));
    fillPreview(preview);
    for (int role = 0; role < data::RoleCount; ++role)
        fillRoleBox(m_roles[role], m_names, isOptional(role), choice.column[role]);
    fillRoleBox(m_line, m_names, true, choice.lineColumn);
    m_line->setItemText(0, "none");
    m_type->setCurrentIndex(choice.magnetic ? 1 : 0);
    for (int k = 0; k < 3; ++k)
        m_field[k]->setText(choice.fieldGiven ? dialogs::formatReal(choice.field[k]) : QString());
    QStringList noData;
    for (double value : choice.noData)
        noData << dialogs::formatReal(value);
    m_noData->setText(noData.join(", "));
    enableField();
}

void CDlgTableColumns::fillPreview(const data::TablePreview& preview) {
    m_preview->clear();
    m_preview->setColumnCount(static_cast<int>(preview.names.size()));
    m_preview->setRowCount(static_cast<int>(preview.rows.size()));
    QStringList headers;
    for (const std::string& name : preview.names)
        headers << QString::fromStdString(name);
    m_preview->setHorizontalHeaderLabels(headers);
    for (int r = 0; r < static_cast<int>(preview.rows.size()); ++r) {
        const std::vector<std::string>& row = preview.rows[static_cast<size_t>(r)];
        for (int c = 0; c < static_cast<int>(row.size()) && c < m_preview->columnCount(); ++c)
            m_preview->setItem(
                r, c, new QTableWidgetItem(QString::fromStdString(row[static_cast<size_t>(c)])));
    }
    m_preview->resizeColumnsToContents();
}

// A new data column brings the type its name or units tell.
void CDlgTableColumns::takeDataColumnType() {
    const int column = columnOf(m_roles[data::RoleData]);
    if (column < 0)
        return;
    data::TableChoice derived;
    data::takeDataColumnUnits(m_names[static_cast<size_t>(column)], derived);
    m_type->setCurrentIndex(derived.magnetic ? 1 : 0);
}

void CDlgTableColumns::enableField() {
    const bool magnetic = m_type->currentIndex() == 1;
    for (QLineEdit* edit : m_field)
        edit->setEnabled(magnetic);
}

bool CDlgTableColumns::OnOK() {
    data::TableChoice choice = m_choice;
    for (int role = 0; role < data::RoleCount; ++role) {
        choice.column[role] = columnOf(m_roles[role]);
        if (choice.column[role] < 0 && !isOptional(role)) {
            AfxMessageBox(
                std::string("Choose the column of the ") + data::tableRoleName(role) + ".", MB_OK);
            m_roles[role]->setFocus();
            return false;
        }
    }
    choice.lineColumn = columnOf(m_line);
    data::takeDataColumnUnits(m_names[static_cast<size_t>(choice.column[data::RoleData])], choice);
    choice.magnetic = m_type->currentIndex() == 1;
    if (choice.magnetic)
        choice.dataScale = 1;
    choice.fieldGiven = choice.magnetic;
    for (int k = 0; k < 3 && choice.magnetic; ++k)
        if (!dialogs::exchangeReal(m_field[k], choice.field[k]))
            return false;
    choice.noData.clear();
    const QStringList values =
        m_noData->text().split(QRegularExpression("[,\\s]+"), Qt::SkipEmptyParts);
    for (const QString& text : values) {
        double value = 0;
        if (!data::parseReal(text.toStdString(), value)) {
            AfxMessageBox("Enter the no-data values as numbers.", MB_OK);
            dialogs::focusField(m_noData);
            return false;
        }
        choice.noData.push_back(value);
    }
    m_choice = choice;
    return true;
}

void CDlgTableColumns::accept() {
    if (OnOK())
        QDialog::accept();
}

namespace dialogs {

bool chooseTableColumnsInDialog(QWidget* parent, const data::TablePreview& preview,
                                data::TableChoice& choice) {
    CDlgTableColumns dialog(parent);
    dialog.setTable(preview, choice);
    if (!runModal(dialog))
        return false;
    choice = dialog.choice();
    return true;
}

} // namespace dialogs
