#include "platform/WaitCursor.h"

#include <QCursor>
#include <QGuiApplication>

namespace platform {

WaitCursor::WaitCursor() : m_shown(qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
    if (m_shown)
        QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
}

WaitCursor::~WaitCursor() {
    if (m_shown)
        QGuiApplication::restoreOverrideCursor();
}

} // namespace platform
