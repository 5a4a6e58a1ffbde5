#include "platform/QtMessageBox.h"

#include "platform/MessageBox.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPointer>
#include <QScreen>
#include <QScrollBar>
#include <QString>
#include <QStyle>
#include <algorithm>
#include <optional>

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

std::optional<QStyle::StandardPixmap> standardIconFor(unsigned style) {
    switch (iconFor(style)) {
    case QMessageBox::Critical:
        return QStyle::SP_MessageBoxCritical;
    case QMessageBox::Question:
        return QStyle::SP_MessageBoxQuestion;
    case QMessageBox::Warning:
        return QStyle::SP_MessageBoxWarning;
    case QMessageBox::Information:
        return QStyle::SP_MessageBoxInformation;
    default:
        return std::nullopt;
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

// Room that a message box needs beside its text: margins, the buttons and
// the window frame, in pixels.
constexpr int kBoxChromeHeight = 160;

QSize availableScreenSize(const QWidget* parent) {
    const QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
    return screen ? screen->availableSize() : QSize(640, 480);
}

bool fitsOnScreen(const QString& text, const QFontMetrics& metrics, QSize screen) {
    const qsizetype lines = text.count(QLatin1Char('\n')) + 1;
    return static_cast<double>(lines) * metrics.lineSpacing() + kBoxChromeHeight <= screen.height();
}

int widestLine(const QString& text, const QFontMetrics& metrics) {
    int widest = 0;
    for (const QStringView line : QStringView(text).split(QLatin1Char('\n')))
        widest = std::max(widest, metrics.horizontalAdvance(line.toString()));
    return widest;
}

// The message box's parts with the text in a read-only field that scrolls,
// as tall as the screen allows.
std::unique_ptr<QDialog> createScrollingMessage(const QString& text, unsigned style,
                                                QWidget* parent, QSize screen) {
    auto dialog = std::make_unique<QDialog>(parent);
    dialog->setWindowTitle(QString::fromUtf8(kAppTitle));
    auto* grid = new QGridLayout(dialog.get());
    if (const auto icon = standardIconFor(style)) {
        auto* picture = new QLabel(dialog.get());
        const int side = dialog->style()->pixelMetric(QStyle::PM_MessageBoxIconSize);
        picture->setPixmap(dialog->style()->standardIcon(*icon).pixmap(side, side));
        grid->addWidget(picture, 0, 0, Qt::AlignTop);
    }
    auto* field = new QPlainTextEdit(text, dialog.get());
    field->setReadOnly(true);
    field->setLineWrapMode(QPlainTextEdit::NoWrap);
    field->setFrameShape(QFrame::NoFrame);
    field->viewport()->setAutoFillBackground(false);
    const QFontMetrics metrics(field->font());
    const int scrollBar = field->verticalScrollBar()->sizeHint().width();
    field->setFixedSize(
        std::min(widestLine(text, metrics) + scrollBar + 16, screen.width() * 3 / 4),
        std::max(metrics.lineSpacing() * 4, screen.height() - kBoxChromeHeight));
    grid->addWidget(field, 0, 1);

    auto* buttons = new QDialogButtonBox(
        QDialogButtonBox::StandardButtons(static_cast<int>(buttonsFor(style))), dialog.get());
    QDialog* box = dialog.get();
    QObject::connect(buttons, &QDialogButtonBox::clicked, box, [box, buttons](QAbstractButton* b) {
        box->done(static_cast<int>(buttons->standardButton(b)));
    });
    grid->addWidget(buttons, 1, 0, 1, 2);
    return dialog;
}

} // namespace

std::unique_ptr<QDialog> createMessageDialog(const std::string& text, unsigned style,
                                             QWidget* parent) {
    const QString message = QString::fromLocal8Bit(text.c_str());
    const QSize screen = availableScreenSize(parent);
    const QFontMetrics metrics(parent ? parent->font() : QApplication::font());
    if (!fitsOnScreen(message, metrics, screen))
        return createScrollingMessage(message, style, parent, screen);
    return std::make_unique<QMessageBox>(iconFor(style), QString::fromUtf8(kAppTitle), message,
                                         buttonsFor(style), parent);
}

void installQtMessageBoxes(QWidget* parent) {
    QPointer<QWidget> owner(parent);
    setMessageHandler([owner](const std::string& text, unsigned style) {
        const std::unique_ptr<QDialog> box = createMessageDialog(text, style, owner.data());
        const int pressed = box->exec();
        return pressed == 0 ? unattendedAnswer(style) : resultFor(pressed);
    });
}

} // namespace platform
