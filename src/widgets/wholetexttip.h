#pragma once

#include <QHelpEvent>
#include <QToolTip>
#include <QWidget>

// The tooltip of a control whose text is cut on the screen: the whole text, while it is cut.
// Call it from the control's event() for QEvent::ToolTip.
inline bool showWholeTextTip(QEvent *event, QWidget *control, const QString &text, bool cut)
{
    if (cut)
        QToolTip::showText(static_cast<QHelpEvent *>(event)->globalPos(), text, control);
    else
        QToolTip::hideText();
    return true;
}
