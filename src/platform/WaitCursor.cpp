#include "WaitCursor.h"

#include <QGuiApplication>

namespace platform {

WaitCursor::WaitCursor() : m_shown(qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
    if (m_shown)
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
}

WaitCursor::~WaitCursor() {
    if (m_shown)
        QGuiApplication::restoreOverrideCursor();
}

} // namespace platform
