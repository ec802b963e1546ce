#include "scriptedprompts.h"

namespace {

// Takes the next scripted answer; false when the queue is empty.
template<typename T>
bool take(std::deque<T> &queue, T &answer)
{
    if (queue.empty())
        return false;
    answer = std::move(queue.front());
    queue.pop_front();
    return true;
}

} // namespace

void ScriptedPrompts::record(const Shown &item)
{
    shown.push_back(item);
    if (onShow)
        onShow(item);
}

std::optional<QString> ScriptedPrompts::openFile(QWidget *owner, const QString &title,
                                                 const QList<FileFilter> &filters,
                                                 const QString &startFolder)
{
    record({Kind::Open, title, {}, {}, {}, {}, 0, filters, startFolder, {}, owner});
    std::optional<QString> answer;
    if (!take(m_opens, answer))
        ++unanswered;
    return answer;
}

std::optional<QString> ScriptedPrompts::saveFile(QWidget *owner, const QString &title,
                                                 const QList<FileFilter> &filters,
                                                 const QString &startFolder)
{
    record({Kind::Save, title, {}, {}, {}, {}, 0, filters, startFolder, {}, owner});
    std::optional<QString> answer;
    if (!take(m_saves, answer))
        ++unanswered;
    return answer;
}

Answer ScriptedPrompts::message(QWidget *owner, const Message &message)
{
    record({Kind::Message,
            message.title,
            message.text,
            message.icon,
            message.buttons,
            message.defaultAnswer,
            message.helpTopic,
            {},
            {},
            {},
            owner});
    if (message.buttons == MessageButtons::Ok)
        return Answer::Ok;
    Answer answer = message.defaultAnswer;
    if (!take(m_answers, answer))
        ++unanswered;
    return answer;
}

std::optional<QString> ScriptedPrompts::input(QWidget *owner, const QString &prompt,
                                              const QString &title, const QString &defaultText)
{
    record({Kind::Input, title, prompt, {}, {}, {}, 0, {}, {}, defaultText, owner});
    std::optional<QString> answer;
    if (!take(m_inputs, answer))
        ++unanswered;
    return answer;
}

QStringList ScriptedPrompts::messageTexts() const
{
    QStringList texts;
    for (const Shown &s : shown)
        if (s.kind == Kind::Message)
            texts << s.text;
    return texts;
}

std::vector<ScriptedPrompts::Shown> ScriptedPrompts::of(Kind kind) const
{
    std::vector<Shown> items;
    for (const Shown &s : shown)
        if (s.kind == kind)
            items.push_back(s);
    return items;
}

const ScriptedPrompts::Shown *ScriptedPrompts::lastMessage() const
{
    for (auto it = shown.rbegin(); it != shown.rend(); ++it)
        if (it->kind == Kind::Message)
            return &*it;
    return nullptr;
}

ScriptedPrompts::Shown ScriptedPrompts::last() const
{
    if (const Shown *message = lastMessage())
        return *message;
    Shown none {};
    none.kind = Kind::Message;
    return none;
}
