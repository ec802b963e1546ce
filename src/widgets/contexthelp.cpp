#include "contexthelp.h"

#include "services/helppages.h"
#include "services/opener.h"

#include <QApplication>
#include <QEvent>
#include <QShortcut>
#include <QVariant>
#include <QWhatsThis>
#include <QWidget>

namespace {
constexpr char TopicProperty[] = "helpTopic";
}

ContextHelp::ContextHelp(Opener &opener, QObject *parent)
    : QObject(parent)
    , m_opener(opener)
{
    qApp->installEventFilter(this);
}

void ContextHelp::setTopic(QWidget *widget, int topic)
{
    widget->setProperty(TopicProperty, topic);
    widget->setWhatsThis(tr("Help topic %1").arg(topic));
}

int ContextHelp::topicOf(const QWidget *widget)
{
    return widget->property(TopicProperty).toInt();
}

void ContextHelp::enterMode()
{
    QWhatsThis::enterWhatsThisMode();
}

void ContextHelp::setToolTips(std::initializer_list<std::pair<QWidget *, QString>> tips)
{
    for (const auto &[widget, tip] : tips)
        widget->setToolTip(tip);
}

void ContextHelp::addHelpKeys(QWidget *window, Opener &opener, int windowTopic)
{
    QObject::connect(new QShortcut(QKeySequence(Qt::Key_F1), window), &QShortcut::activated, window,
                     [window, &opener, windowTopic] {
                         int topic = 0;
                         for (QWidget *w = window->focusWidget(); w && w != window && topic == 0;
                              w = w->parentWidget())
                             topic = topicOf(w);
                         opener.openUrl(MainModule::helpPage(topic ? topic : windowTopic));
                     });
    QObject::connect(new QShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F1), window),
                     &QShortcut::activated, window, [] { enterMode(); });
}

bool ContextHelp::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::WhatsThis || !watched->isWidgetType())
        return false;
    // The click lands on the innermost widget; the topic may sit on a parent (a list's viewport).
    for (auto *w = static_cast<QWidget *>(watched); w; w = w->parentWidget()) {
        if (const int topic = topicOf(w)) {
            m_opener.openUrl(MainModule::helpPage(topic));
            break;
        }
        if (w->isWindow())
            break;
    }
    event->accept();
    // The mode's own filter is still on the stack: leave the mode once this click is done.
    QMetaObject::invokeMethod(
        qApp, [] { QWhatsThis::leaveWhatsThisMode(); }, Qt::QueuedConnection);
    return true;
}
