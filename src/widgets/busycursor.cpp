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
