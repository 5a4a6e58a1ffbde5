#include "app/CAboutDlg.h"

#include "platform/MessageBox.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("About TESKA/PORLIN Data Viewer"));
    auto* layout = new QGridLayout(this);

    auto* icon = new QLabel(this);
    icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(32, 32));
    layout->addWidget(icon, 0, 0, 3, 1, Qt::AlignTop);
    layout->addWidget(new QLabel(QStringLiteral("TESKA / PORLIN Data Viewer"), this), 0, 1);
    layout->addWidget(
        new QLabel(QStringLiteral("Version ") + QString::fromUtf8(platform::kAppVersion), this), 1,
        1);
    layout->addWidget(new QLabel(QStringLiteral("Potential-field inversion group"), this), 2, 1);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    buttons->button(QDialogButtonBox::Ok)->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons, 0, 2, Qt::AlignTop);

    auto* text = new QPlainTextEdit(aboutText(), this);
    text->setObjectName(QStringLiteral("aboutText")); // field 1059
    text->setReadOnly(true);
    text->setLineWrapMode(QPlainTextEdit::NoWrap);
    text->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    text->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    layout->addWidget(text, 3, 0, 1, 3);
}

QString CAboutDlg::aboutText() {
    const char* lines[] = {
        "Functionality:",
        "- View potential fields data (gravity or magnetics) as colour",
        "  contour plots",
        "- Create a line profile display in any direction from the map.",
        "- Add noise or assign errors to data.",
        "",
        "Information:",
        "- Documentation: README.md in the program's source folder",
        "- Documentation web page: the project's home page",
        "- Inversion tutorials: the project's tutorials page",
        "",
        "Written by the teskadat developers for the inversion group.",
    };
    QStringList text;
    for (const char* line : lines)
        text << QString::fromUtf8(line);
    return text.join(QStringLiteral("\r\n"));
}
