#include "qtprompts.h"

#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

namespace {

QMessageBox::Icon boxIcon(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::Question:
        return QMessageBox::Question;
    case MessageIcon::Exclamation:
        return QMessageBox::Warning;
    case MessageIcon::Critical:
        return QMessageBox::Critical;
    case MessageIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButton standardButton(Answer answer)
{
    switch (answer) {
    case Answer::Yes:
        return QMessageBox::Yes;
    case Answer::No:
        return QMessageBox::No;
    case Answer::Cancel:
        return QMessageBox::Cancel;
    case Answer::Ok:
        break;
    }
    return QMessageBox::Ok;
}

} // namespace

QtPrompts::QtPrompts(std::function<void(int)> showHelp)
    : m_showHelp(std::move(showHelp))
{
}

QString QtPrompts::filterText(const QList<FileFilter> &filters)
{
    QStringList items;
    for (const FileFilter &f : filters) {
        QString pattern = f.pattern;
        pattern.replace(u';', u' ');
        items << QStringLiteral("%1 (%2)").arg(f.description, pattern);
    }
    return items.join(QStringLiteral(";;"));
}

std::optional<QString> QtPrompts::openFile(QWidget *owner, const QString &title,
                                           const QList<FileFilter> &filters,
                                           const QString &startFolder)
{
    const QString path = QFileDialog::getOpenFileName(
        owner, title, startFolder, filterText(filters), nullptr, QFileDialog::ReadOnly);
    if (path.isEmpty())
        return std::nullopt;
    return path;
}

std::optional<QString> QtPrompts::saveFile(QWidget *owner, const QString &title,
                                           const QList<FileFilter> &filters,
                                           const QString &startFolder)
{
    const QString path =
        QFileDialog::getSaveFileName(owner, title, startFolder, filterText(filters));
    if (path.isEmpty())
        return std::nullopt;
    return path;
}

Answer QtPrompts::message(QWidget *owner, const Message &message)
{
    QMessageBox box(boxIcon(message.icon), message.title, message.text, QMessageBox::NoButton,
                    owner);
    switch (message.buttons) {
    case MessageButtons::Ok:
        box.setStandardButtons(QMessageBox::Ok);
        break;
    case MessageButtons::YesNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        break;
    case MessageButtons::YesNoCancel:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        break;
    }
    box.setDefaultButton(standardButton(message.defaultAnswer));
    if (message.helpTopic != 0 && m_showHelp) {
        // The Help button opens the page and leaves the box open, as help buttons do.
        QPushButton *help = box.addButton(QMessageBox::Help);
        help->disconnect();
        const int topic = message.helpTopic;
        QObject::connect(help, &QPushButton::clicked, [this, topic] { m_showHelp(topic); });
    }
    switch (box.exec()) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    case QMessageBox::Cancel:
        return Answer::Cancel;
    default:
        return Answer::Ok;
    }
}

std::optional<QString> QtPrompts::input(QWidget *owner, const QString &prompt, const QString &title,
                                        const QString &defaultText)
{
    bool ok = false;
    const QString text =
        QInputDialog::getText(owner, title, prompt, QLineEdit::Normal, defaultText, &ok);
    if (!ok)
        return std::nullopt;
    return text;
}
