#include "busycursor.h"

#include <QApplication>

BusyCursor::BusyCursor()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
}

BusyCursor::~BusyCursor()
{
    // The error report may already have restored every pointer; restoring an empty stack
    // does nothing.
    QApplication::restoreOverrideCursor();
}

NormalCursor::NormalCursor()
{
    for (; QApplication::overrideCursor(); ++m_busy)
        QApplication::restoreOverrideCursor();
}

NormalCursor::~NormalCursor()
{
    for (; m_busy > 0; --m_busy)
        QApplication::setOverrideCursor(Qt::WaitCursor);
}
