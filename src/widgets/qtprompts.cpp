#include "qtprompts.h"

#include <QFileDialog>
#include <QGridLayout>
#include <QInputDialog>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include <algorithm>

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

// The button that Escape and the close box stand for: the "no" of a question, else OK.
QMessageBox::StandardButton escapeButton(MessageButtons buttons)
{
    switch (buttons) {
    case MessageButtons::YesNo:
        return QMessageBox::No;
    case MessageButtons::YesNoCancel:
        return QMessageBox::Cancel;
    case MessageButtons::Ok:
        break;
    }
    return QMessageBox::Ok;
}

// A text too tall for the screen (the replace question of a large package lists every item)
// goes into a scrolling box in place of the label, so that the buttons stay on the screen.
void scrollTallText(QMessageBox &box, const QString &text)
{
    constexpr int WrapWidth = 500;
    const int room = box.screen() ? box.screen()->availableGeometry().height() / 2 : 400;
    const QRect needed =
        box.fontMetrics().boundingRect(QRect(0, 0, WrapWidth, 1 << 20), Qt::TextWordWrap, text);
    auto *grid = qobject_cast<QGridLayout *>(box.layout());
    auto *label = box.findChild<QLabel *>(QStringLiteral("qt_msgbox_label"));
    const int at = grid && label ? grid->indexOf(label) : -1;
    if (needed.height() <= room || at < 0)
        return;
    int row = 0, column = 0, rows = 1, columns = 1;
    grid->getItemPosition(at, &row, &column, &rows, &columns);
    auto *scrolling = new QPlainTextEdit(text, &box);
    scrolling->setObjectName(QStringLiteral("scrollingText"));
    scrolling->setReadOnly(true);
    scrolling->setMinimumSize(WrapWidth, room / 2);
    label->hide();
    grid->addWidget(scrolling, row, column, rows, columns);
}

// The names a question is about, one a line under its text, scrolling when there are many.
void addItemList(QMessageBox &box, const QStringList &items)
{
    auto *grid = qobject_cast<QGridLayout *>(box.layout());
    auto *label = box.findChild<QLabel *>(QStringLiteral("qt_msgbox_label"));
    QWidget *text = label && !label->isHidden()
        ? label
        : box.findChild<QWidget *>(QStringLiteral("scrollingText"));
    const int at = grid && text ? grid->indexOf(text) : -1;
    if (at < 0)
        return;
    int row = 0, column = 0, rows = 1, columns = 1;
    grid->getItemPosition(at, &row, &column, &rows, &columns);
    auto *list = new QListWidget(&box);
    list->setObjectName(QStringLiteral("lstItems"));
    list->addItems(items);
    const int lines = std::min(int(items.size()), 12);
    list->setMinimumHeight(list->fontMetrics().height() * (lines + 1));
    // Under the text, in its column; the text moves up a row where Qt left none free.
    auto *holder = new QWidget(&box);
    auto *stack = new QVBoxLayout(holder);
    stack->setContentsMargins(0, 0, 0, 0);
    grid->removeWidget(text);
    text->setParent(holder);
    stack->addWidget(text);
    stack->addWidget(list, 1);
    grid->addWidget(holder, row, column, rows, columns);
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

std::optional<QString> QtPrompts::chooseFolder(QWidget *owner, const QString &title,
                                               const QString &startFolder)
{
    const QString path = QFileDialog::getExistingDirectory(owner, title, startFolder);
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
    // With a Help button beside OK, Qt would find no button for Escape.
    box.setEscapeButton(box.button(escapeButton(message.buttons)));
    scrollTallText(box, message.text);
    if (!message.items.isEmpty())
        addItemList(box, message.items);
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
