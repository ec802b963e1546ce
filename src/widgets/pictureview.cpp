#include "pictureview.h"

#include "services/imaging.h"
#include "services/messages.h"
#include "services/settings.h"

#include <QAction>
#include <QMouseEvent>
#include <QPainter>
#include <QShortcut>
#include <QWheelEvent>

#include <algorithm>
#include <array>
#include <cmath>

namespace {

// The zooms the view steps through; whole numbers above 1 keep every pixel the same size.
constexpr std::array<double, 13> Zooms = {0.125, 0.25, 0.5, 1, 2, 3, 4, 6, 8, 12, 16, 24, 32};
constexpr char FitSetting[] = "fit";
constexpr int CheckSide = 8; // pixels of a checkerboard square

void paintCheckerboard(QPainter &painter, const QRectF &area)
{
    painter.save();
    painter.setClipRect(area);
    painter.fillRect(area, QColor(0xFF, 0xFF, 0xFF)); // white in the corner, then grey
    const QColor dark(0xCC, 0xCC, 0xCC);
    const QPoint start = area.topLeft().toPoint();
    for (int y = start.y(); y < area.bottom(); y += CheckSide)
        for (int x = start.x() + (1 - (y - start.y()) / CheckSide % 2) * CheckSide;
             x < area.right(); x += 2 * CheckSide)
            painter.fillRect(x, y, CheckSide, CheckSide, dark);
    painter.restore();
}

} // namespace

PictureView::PictureView(QSize size, QWidget *parent)
    : QWidget(parent)
    , m_canvas(size, QColor::fromRgb(MainModule::PreviewBackground))
{
    setMouseTracking(true);
    setFixedSize(m_canvas.size());
    m_canvas.changed = [this] { canvasChanged(); };
}

QSize PictureView::sizeHint() const
{
    return m_canvas.size();
}

void PictureView::setZoomable(const char *settingsKey, bool fitFirst)
{
    m_zoomKey = settingsKey;
    const QString saved = Settings::read(
        settingsKey, fitFirst ? QString::fromLatin1(FitSetting) : QString::number(1));
    bool ok = false;
    const double zoom = saved.toDouble(&ok);
    if (saved == QLatin1String(FitSetting))
        setZoom(1, true);
    else
        setZoom(ok && std::find(Zooms.begin(), Zooms.end(), zoom) != Zooms.end() ? zoom : 1, false);
}

QRect PictureView::pictureRect() const
{
    // A growing canvas holds the picture in its drawn part; any other canvas is the picture.
    return QRect(QPoint(), m_canvas.isGrowing() ? m_canvas.drawnSize() : m_canvas.size());
}

double PictureView::scale() const
{
    const QRect picture = pictureRect();
    if (!m_fit || picture.isEmpty())
        return m_zoom;
    const QSize room = m_canvas.baseSize();
    return std::min(double(room.width()) / picture.width(),
                    double(room.height()) / picture.height());
}

QRectF PictureView::shownRect() const
{
    const QRect picture = pictureRect();
    const QSizeF shown = QSizeF(picture.size()) * scale();
    // Whole pixels from the corner, so that the squares of a zoomed pixel stay the same size.
    return {QPointF((width() - int(std::ceil(shown.width()))) / 2,
                    (height() - int(std::ceil(shown.height()))) / 2),
            shown};
}

void PictureView::setZoom(double zoom, bool fit)
{
    m_zoom = zoom;
    m_fit = fit;
    if (m_zoomKey)
        Settings::save(m_zoomKey, fit ? QString::fromLatin1(FitSetting) : QString::number(zoom));
    canvasChanged();
    Q_EMIT zoomChanged();
}

void PictureView::zoomIn()
{
    const double now = scale();
    const auto next = std::find_if(Zooms.begin(), Zooms.end(), [now](double z) { return z > now; });
    setZoom(next == Zooms.end() ? Zooms.back() : *next, false);
}

void PictureView::zoomOut()
{
    const double now = scale();
    const auto next =
        std::find_if(Zooms.rbegin(), Zooms.rend(), [now](double z) { return z < now; });
    setZoom(next == Zooms.rend() ? Zooms.front() : *next, false);
}

void PictureView::fitToView()
{
    setZoom(m_zoom, true);
}

void PictureView::showActualSize()
{
    setZoom(1, false);
}

void PictureView::addZoomKeys(QWidget *window)
{
    const auto key = [this, window](const QKeySequence &keys, void (PictureView::*command)()) {
        auto *shortcut = new QShortcut(keys, window);
        shortcut->setContext(Qt::WidgetWithChildrenShortcut);
        connect(shortcut, &QShortcut::activated, this, command);
    };
    key(QKeySequence::ZoomIn, &PictureView::zoomIn);
    key(QKeySequence(Qt::CTRL | Qt::Key_Equal), &PictureView::zoomIn);
    key(QKeySequence::ZoomOut, &PictureView::zoomOut);
    key(QKeySequence(Qt::CTRL | Qt::Key_0), &PictureView::showActualSize);
}

void PictureView::shareZoom(PictureView *other)
{
    const auto follow = [](PictureView *from, PictureView *to) {
        connect(from, &PictureView::zoomChanged, to, [from, to] {
            if (to->m_zoom != from->m_zoom || to->m_fit != from->m_fit)
                to->setZoom(from->m_zoom, from->m_fit);
        });
    };
    follow(this, other);
    follow(other, this);
}

void PictureView::addZoomMenu()
{
    const auto add = [this](const QString &text, void (PictureView::*command)()) {
        auto *action = new QAction(text, this);
        connect(action, &QAction::triggered, this, command);
        addAction(action);
    };
    add(tr("Zoom &In"), &PictureView::zoomIn);
    add(tr("Zoom &Out"), &PictureView::zoomOut);
    add(tr("&Fit"), &PictureView::fitToView);
    add(tr("Actual &Size"), &PictureView::showActualSize);
    setContextMenuPolicy(Qt::ActionsContextMenu);
}

void PictureView::canvasChanged()
{
    QSize wanted = m_canvas.size();
    if (m_zoomKey) {
        // As large as the room given, or as the zoomed picture where that is larger.
        const QSizeF zoomed = QSizeF(pictureRect().size()) * scale();
        wanted = m_canvas.baseSize().expandedTo(
            QSize(int(std::ceil(zoomed.width())), int(std::ceil(zoomed.height()))));
    }
    if (size() != wanted)
        setFixedSize(wanted);
    update();
}

void PictureView::setPlaceholderText(const QString &text)
{
    if (text == m_placeholder)
        return;
    m_placeholder = text;
    update();
}

QPoint PictureView::picturePixelAt(QPoint position) const
{
    if (!m_zoomKey)
        return rect().contains(position) ? position : QPoint(-1, -1);
    const QRectF shown = shownRect();
    if (!shown.contains(position))
        return {-1, -1};
    const double s = scale();
    const QPoint p(int((position.x() - shown.x()) / s), int((position.y() - shown.y()) / s));
    return pictureRect().contains(p) ? p : QPoint(-1, -1);
}

QString PictureView::describePixelAt(QPoint position) const
{
    const QPoint p = picturePixelAt(position);
    if (p.x() < 0 || !QRect(QPoint(), m_canvas.size()).contains(p) || pictureRect().isEmpty())
        return QString();
    return Messages::pixelUnderPointer(p.x(), p.y(), qUnpremultiply(m_canvas.image().pixel(p)),
                                       m_canvas.indexAt(p.x(), p.y()));
}

void PictureView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    if (!m_zoomKey) {
        painter.drawImage(0, 0, m_canvas.image());
    } else {
        painter.fillRect(rect(), m_canvas.background());
        const QRect picture = pictureRect();
        if (!picture.isEmpty()) {
            const QRectF shown = shownRect();
            if (m_canvas.isSeeThrough())
                paintCheckerboard(painter, shown);
            // No smoothing: a zoomed pixel stays a sharp square.
            painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
            painter.drawImage(shown, m_canvas.image(), picture);
        }
    }
    if (!m_placeholder.isEmpty()) {
        painter.setPen(palette().color(QPalette::PlaceholderText));
        painter.drawText(rect(), Qt::AlignCenter | Qt::TextWordWrap, m_placeholder);
    }
}

void PictureView::mouseReleaseEvent(QMouseEvent *event)
{
    Q_EMIT mouseReleased(event->button(), event->position().toPoint());
}

void PictureView::mouseMoveEvent(QMouseEvent *event)
{
    Q_EMIT mouseMoved(event->position().toPoint());
    Q_EMIT pixelPointed(describePixelAt(event->position().toPoint()));
}

void PictureView::leaveEvent(QEvent *)
{
    Q_EMIT pixelPointed(QString());
}

void PictureView::wheelEvent(QWheelEvent *event)
{
    // Ctrl and the wheel zoom; the wheel alone scrolls the view around the picture.
    if (!m_zoomKey || !(event->modifiers() & Qt::ControlModifier)) {
        event->ignore();
        return;
    }
    if (event->angleDelta().y() > 0)
        zoomIn();
    else if (event->angleDelta().y() < 0)
        zoomOut();
    event->accept();
}
