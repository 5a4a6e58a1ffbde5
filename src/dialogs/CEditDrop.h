#pragma once
// A path field that also takes a file dropped from the desktop's file manager.

#include <QLineEdit>

class QMimeData;

class CEditDrop : public QLineEdit {
    Q_OBJECT
public:
    explicit CEditDrop(QWidget* parent = nullptr);

    // Makes `path` the text, gives the field the focus and selects the bare
    // file name (everything after the last "/"), or all of the text when
    // there is no "/".
    void takeDroppedPath(const QString& path);

    // The first local file of a drop, or an empty string when the drop
    // carries no file.
    static QString firstDroppedFile(const QMimeData* mimeData);

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
};
