#include "dialogs/CEditDrop.h"

#include <QDragEnterEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

CEditDrop::CEditDrop(QWidget* parent) : QLineEdit(parent) {
    setAcceptDrops(true);
}

QString CEditDrop::firstDroppedFile(const QMimeData* mimeData) {
    if (!mimeData || !mimeData->hasUrls())
        return QString();
    const QList<QUrl> urls = mimeData->urls();
    if (urls.isEmpty() || !urls.first().isLocalFile())
        return QString();
    return urls.first().toLocalFile();
}

void CEditDrop::takeDroppedPath(const QString& path) {
    setText(path);
    setFocus(Qt::OtherFocusReason);
    const qsizetype nameStart = path.lastIndexOf(QLatin1Char('/')) + 1;
    if (nameStart > 0)
        setSelection(static_cast<int>(nameStart), static_cast<int>(path.size() - nameStart));
    else
        selectAll();
}

void CEditDrop::dragEnterEvent(QDragEnterEvent* event) {
    if (!firstDroppedFile(event->mimeData()).isEmpty())
        event->acceptProposedAction();
    else
        QLineEdit::dragEnterEvent(event);
}

void CEditDrop::dragMoveEvent(QDragMoveEvent* event) {
    if (!firstDroppedFile(event->mimeData()).isEmpty())
        event->acceptProposedAction();
    else
        QLineEdit::dragMoveEvent(event);
}

void CEditDrop::dropEvent(QDropEvent* event) {
    const QString path = firstDroppedFile(event->mimeData());
    if (path.isEmpty()) {
        QLineEdit::dropEvent(event);
        return;
    }
    takeDroppedPath(path);
    event->acceptProposedAction();
}
