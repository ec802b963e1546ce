#include "scriptedprompts.h"

namespace {

// The next scripted answer, or the fallback given when the queue is empty.
template<typename T>
T next(std::deque<T> &queue, T answer)
{
    if (!queue.empty()) {
        answer = std::move(queue.front());
        queue.pop_front();
    }
    return answer;
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
    record({Kind::Open, title, {}, owner, filters, startFolder});
    return next(m_opens, {});
}

std::optional<QString> ScriptedPrompts::chooseFolder(QWidget *owner, const QString &title,
                                                     const QString &startFolder)
{
    record({Kind::Folder, title, {}, owner, {}, startFolder});
    return next(m_folders, {});
}

std::optional<QString> ScriptedPrompts::saveFile(QWidget *owner, const QString &title,
                                                 const QList<FileFilter> &filters,
                                                 const QString &startFolder)
{
    record({Kind::Save, title, {}, owner, filters, startFolder});
    return next(m_saves, {});
}

Answer ScriptedPrompts::message(QWidget *owner, const Message &m)
{
    record({.kind = Kind::Message,
            .title = m.title,
            .text = m.text,
            .owner = owner,
            .icon = m.icon,
            .buttons = m.buttons,
            .defaultAnswer = m.defaultAnswer,
            .helpTopic = m.helpTopic,
            .items = m.items});
    return m.buttons == MessageButtons::Ok ? Answer::Ok : next(m_answers, m.defaultAnswer);
}

std::optional<QString> ScriptedPrompts::input(QWidget *owner, const QString &prompt,
                                              const QString &title, const QString &defaultText)
{
    record({Kind::Input, title, prompt, owner, {}, {}, defaultText});
    return next(m_inputs, {});
}

QStringList ScriptedPrompts::messageTexts() const
{
    QStringList texts;
    for (const Shown &s : of(Kind::Message))
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
    const Shown *message = lastMessage();
    return message ? *message : Shown();
}
