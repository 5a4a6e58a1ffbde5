#include "QtMessageBox.h"

#include "MessageBox.h"

#include <QMessageBox>
#include <QPointer>
#include <QString>

namespace platform {
namespace {

QMessageBox::Icon iconFor(unsigned style) {
    switch (style & MB_ICONMASK) {
    case MB_ICONHAND:
        return QMessageBox::Critical;
    case MB_ICONQUESTION:
        return QMessageBox::Question;
    case MB_ICONEXCLAMATION:
        return QMessageBox::Warning;
    case MB_ICONINFORMATION:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}

QMessageBox::StandardButtons buttonsFor(unsigned style) {
    switch (style & MB_TYPEMASK) {
    case MB_OKCANCEL:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case MB_YESNOCANCEL:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case MB_YESNO:
        return QMessageBox::Yes | QMessageBox::No;
    default:
        return QMessageBox::Ok;
    }
}

int resultFor(int button) {
    switch (button) {
    case QMessageBox::Yes:
        return IDYES;
    case QMessageBox::No:
        return IDNO;
    case QMessageBox::Cancel:
        return IDCANCEL;
    default:
        return IDOK;
    }
}

} // namespace

void installQtMessageBoxes(QWidget* parent) {
    QPointer<QWidget> owner(parent);
    setMessageHandler([owner](const std::string& text, unsigned style) {
        QMessageBox box(iconFor(style), QString::fromUtf8(kAppTitle),
                        QString::fromLocal8Bit(text.c_str()), buttonsFor(style), owner.data());
        return resultFor(box.exec());
    });
}

} // namespace platform
