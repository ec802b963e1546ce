#include "prompts.h"

void Prompts::inform(QWidget *owner, const QString &text)
{
    Message box;
    box.text = text;
    box.icon = MessageIcon::Information;
    message(owner, box);
}

void Prompts::critical(QWidget *owner, const QString &text)
{
    Message box;
    box.text = text;
    box.icon = MessageIcon::Critical;
    message(owner, box);
}

Answer Prompts::askYesNo(QWidget *owner, const QString &text, const QString &title,
                         Answer defaultAnswer)
{
    Message box;
    box.text = text;
    box.title = title;
    box.icon = MessageIcon::Question;
    box.buttons = MessageButtons::YesNo;
    box.defaultAnswer = defaultAnswer;
    return message(owner, box);
}
