#pragma once

#include <QObject>
#include <QString>

#include <initializer_list>
#include <utility>

class Opener;
class QWidget;

// Context help: while the program is in What's This mode (Shift+F1), a click on a control that
// carries a help topic opens that topic's page instead of acting; a click on any other control
// just ends the mode.
class ContextHelp : public QObject
{
    Q_OBJECT

public:
    explicit ContextHelp(Opener &opener, QObject *parent = nullptr);

    // Gives a control its help topic number (its What's This text names the page).
    static void setTopic(QWidget *widget, int topic);
    static int topicOf(const QWidget *widget);

    static void enterMode();

    // Gives each control its tooltip.
    static void setToolTips(std::initializer_list<std::pair<QWidget *, QString>> tips);

    // F1 and Shift+F1 inside a window, which the main window's menu keys do not reach: F1 opens
    // the page of the control with the focus, or windowTopic's page for controls without one.
    static void addHelpKeys(QWidget *window, Opener &opener, int windowTopic);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    Opener &m_opener;
};
