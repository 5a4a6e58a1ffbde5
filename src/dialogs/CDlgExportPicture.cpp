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

} // namespace

CDlgExportPicture::CDlgExportPicture(QWidget* parent)
    : QDialog(parent), m_pathField(new QLineEdit(this)), m_magnificationField(new QLineEdit(this)) {
    setWindowTitle("Export Picture");
    m_pathField->setObjectName("path");
    m_pathField->setMinimumWidth(320);
    m_magnificationField->setObjectName("magnification");
    auto* browseButton = new QPushButton("Browse ...", this);
    connect(browseButton, &QPushButton::clicked, this, &CDlgExportPicture::browse);

    auto* fileRow = new QHBoxLayout;
    fileRow->addWidget(m_pathField);
    fileRow->addWidget(browseButton);
    auto* form = new QFormLayout;
    form->addRow("File (.png, .svg or .pdf)", fileRow);
    form->addRow("Magnification (pixels per plot unit)", m_magnificationField);

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
    m_path = path;
    m_magnification = magnification;
    return true;
}

void CDlgExportPicture::accept() {
    if (OnOK())
        QDialog::accept();
}
