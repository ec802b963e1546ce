#pragma once

#include "services/prompts.h"

#include <functional>

// Prompts shown with Qt's own dialogs and message boxes.
class QtPrompts : public Prompts
{
public:
    // showHelp opens a help page by topic number when a box's Help button is pressed.
    explicit QtPrompts(std::function<void(int)> showHelp = {});

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

    // "Bitmap File (*.bmp)" entries for QFileDialog.
    static QString filterText(const QList<FileFilter> &filters);

private:
    std::function<void(int)> m_showHelp;
};
