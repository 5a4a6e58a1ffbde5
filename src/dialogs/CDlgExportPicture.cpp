#include "dialogs/CDlgExportPicture.h"

#include "dialogs/DataExchange.h"
#include "platform/MessageBox.h"
#include "platform/PictureFormat.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace {

const char* const kFilters = "PNG picture (*.png);;SVG drawing (*.svg);;PDF document (*.pdf)";

// The extension of a file-dialog filter such as "SVG drawing (*.svg)".
QString filterExtension(const QString& filter) {
    const int star = filter.indexOf("*.");
    return star < 0 ? QString() : filter.mid(star + 1, 4);
}

// An empty field gives 0; otherwise a number above 0 up to `largest`, or
// the message with the focus on the field.
bool optionalPositive(QLineEdit* field, double largest, const char* message, double& value) {
    value = 0;
    if (field->text().trimmed().isEmpty())
        return true;
    if (!dialogs::exchangeReal(field, value))
        return false;
    if (value > 0 && value <= largest)
        return true;
    AfxMessageBox(message, MB_OK);
    dialogs::focusField(field);
    return false;
}

} // namespace

CDlgExportPicture::CDlgExportPicture(QWidget* parent)
    : QDialog(parent), m_pathField(new QLineEdit(this)), m_magnificationField(new QLineEdit(this)),
      m_widthField(new QLineEdit(this)), m_fontField(new QLineEdit(this)) {
    setWindowTitle("Export Picture");
    m_pathField->setObjectName("path");
    m_pathField->setMinimumWidth(320);
    m_magnificationField->setObjectName("magnification");
    m_widthField->setObjectName("width");
    m_fontField->setObjectName("font");
    auto* browseButton = new QPushButton("Browse ...", this);
    connect(browseButton, &QPushButton::clicked, this, &CDlgExportPicture::browse);

    auto* fileRow = new QHBoxLayout;
    fileRow->addWidget(m_pathField);
    fileRow->addWidget(browseButton);
    auto* form = new QFormLayout;
    form->addRow("File (.png, .svg or .pdf)", fileRow);
    form->addRow("Magnification (pixels per plot unit)", m_magnificationField);
    form->addRow("Figure width (cm, empty: by magnification)", m_widthField);
    form->addRow("Text size (pt, empty: as shown)", m_fontField);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
}

void CDlgExportPicture::OnInitDialog() {
    m_pathField->setText(QString::fromStdString(m_path));
    m_magnificationField->setText(dialogs::formatReal(m_magnification));
    m_widthField->setText(m_widthCm > 0 ? dialogs::formatReal(m_widthCm) : QString());
    m_fontField->setText(m_fontPoints > 0 ? dialogs::formatReal(m_fontPoints) : QString());
    dialogs::focusField(m_pathField);
}

void CDlgExportPicture::showEvent(QShowEvent* event) {
    if (!event->spontaneous())
        OnInitDialog();
    QDialog::showEvent(event);
}

void CDlgExportPicture::browse() {
    QString filter;
    QString chosen = QFileDialog::getSaveFileName(this, "Export Picture", m_pathField->text(),
                                                  kFilters, &filter);
    if (chosen.isEmpty())
        return;
    if (!pictureFormatForName(chosen.toStdString()))
        chosen += filterExtension(filter);
    m_pathField->setText(chosen);
}

bool CDlgExportPicture::OnOK() {
    const std::string path = m_pathField->text().toStdString();
    if (!pictureFormatForName(path)) {
        AfxMessageBox("Name the picture file with .png, .svg or .pdf at the end.", MB_OK);
        dialogs::focusField(m_pathField);
        return false;
    }
    double magnification = 0;
    if (!dialogs::exchangeReal(m_magnificationField, magnification))
        return false;
    if (!(magnification > 0)) {
        AfxMessageBox("Enter a magnification above 0.", MB_OK);
        dialogs::focusField(m_magnificationField);
        return false;
    }
    double widthCm = 0, fontPoints = 0;
    if (!optionalPositive(m_widthField, 254, "Enter a width from above 0 to 254 cm, or nothing.",
                          widthCm) ||
        !optionalPositive(m_fontField, 200, "Enter a text size from above 0 to 200 pt, or nothing.",
                          fontPoints))
        return false;
    m_path = path;
    m_magnification = magnification;
    m_widthCm = widthCm;
    m_fontPoints = fontPoints;
    return true;
}

void CDlgExportPicture::accept() {
    if (OnOK())
        QDialog::accept();
}
