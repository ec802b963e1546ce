#include "screenfit.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace ScreenFit {

QRect clamped(const QRect &frame, const QRect &available)
{
    QRect r(frame.topLeft(), frame.size().boundedTo(available.size()));
    r.moveLeft(std::clamp(r.left(), available.left(), available.right() - r.width() + 1));
    r.moveTop(std::clamp(r.top(), available.top(), available.bottom() - r.height() + 1));
    return r;
}

QRect availableFor(const QWidget *window)
{
    QScreen *screen = window ? window->screen() : nullptr;
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect();
}

void fit(QWidget *window)
{
    const QRect available = availableFor(window);
    if (available.isEmpty())
        return;
    // The frame the window manager adds is known once the window is shown; before that the
    // usual title bar and borders are kept free.
    const QRect frame = window->frameGeometry();
    const QSize decoration = window->isVisible()
        ? frame.size() - window->size()
        : QSize(window->fontMetrics().height(), window->fontMetrics().height() * 3);
    const QSize room = (available.size() - decoration).expandedTo(window->minimumSize());
    window->resize(window->size().boundedTo(room));
    const QRect fitted = clamped(QRect(window->pos(), window->size() + decoration), available);
    window->move(fitted.topLeft());
}

void centre(QWidget *window, const QWidget *over)
{
    const QWidget *parent =
        over ? over : (window->parentWidget() ? window->parentWidget()->window() : nullptr);
    const QRect around = parent ? parent->frameGeometry() : availableFor(window);
    QRect r(QPoint(), window->frameGeometry().size());
    r.moveCenter(around.center());
    window->move(clamped(r, availableFor(parent ? parent : window)).topLeft());
}

} // namespace ScreenFit
