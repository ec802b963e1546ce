#pragma once

#include "textprinter.h"

#include "services/prompts.h"

#include <QList>

#include <deque>
#include <functional>
#include <optional>
#include <vector>

// Prompts for tests: records every dialog and message exactly and answers from queues. An
// empty queue answers a file dialog or an input box with "cancelled" and a message box with
// its default button.
class ScriptedPrompts : public Prompts
{
public:
    enum class Kind { Open, Save, Message, Input, Folder };

    struct Shown
    {
        Kind kind = Kind::Message;
        QString title = {};
        QString text = {}; // message text or input prompt
        QWidget *owner = nullptr;
        QList<FileFilter> filters = {};
        QString startFolder = {};
        QString defaultText = {};
        MessageIcon icon = MessageIcon::None;
        MessageButtons buttons = MessageButtons::Ok;
        Answer defaultAnswer = Answer::Ok;
        int helpTopic = 0;
        QStringList items = {};
    };

    void answerOpen(const QString &path) { m_opens.push_back(path); }
    void answerSave(const QString &path) { m_saves.push_back(path); }
    void answerFolder(const QString &path) { m_folders.push_back(path); }
    void cancelOpen() { m_opens.push_back(std::nullopt); }
    void cancelSave() { m_saves.push_back(std::nullopt); }
    void answerMessage(Answer answer) { m_answers.push_back(answer); }
    void answerInput(const std::optional<QString> &text) { m_inputs.push_back(text); }

    std::optional<QString> openFile(QWidget *owner, const QString &title,
                                    const QList<FileFilter> &filters,
                                    const QString &startFolder) override;
    std::optional<QString> chooseFolder(QWidget *owner, const QString &title,
                                        const QString &startFolder) override;
    std::optional<QString> saveFile(QWidget *owner, const QString &title,
                                    const QList<FileFilter> &filters,
                                    const QString &startFolder) override;
    Answer message(QWidget *owner, const Message &message) override;
    std::optional<QString> input(QWidget *owner, const QString &prompt, const QString &title,
                                 const QString &defaultText) override;

    // Every message box text, in order.
    QStringList messageTexts() const;
    // The shown items of one kind.
    std::vector<Shown> of(Kind kind) const;
    const Shown *lastMessage() const;
    // The last message box shown, or an empty one (no text, no icon) before the first.
    Shown last() const;
    void clear() { shown.clear(); }

    std::vector<Shown> shown;
    // Runs when anything is shown, before it is answered (lets a test act inside a modal loop).
    std::function<void(const Shown &)> onShow;

private:
    void record(const Shown &item);

    std::deque<std::optional<QString>> m_opens;
    std::deque<std::optional<QString>> m_saves;
    std::deque<std::optional<QString>> m_folders;
    std::deque<Answer> m_answers;
    std::deque<std::optional<QString>> m_inputs;
};
