#pragma once

#include "prompts.h"

namespace MainModule {

// The longest path a file dialog hands back; longer answers are refused.
constexpr int MaxDialogPath = 254;

// Shows the open-file dialog starting in the remembered folder. Returns the chosen path and
// remembers its folder; a cancelled dialog throws the cancel failure (2004).
QString ShowOpenDialog(Prompts &prompts, QWidget *owner, const QList<FileFilter> &filters,
                       const QString &title);

// The save-file dialog, titled "Select where you want to save"; it asks before an existing file
// is replaced. No extension is added.
QString ShowSaveDialog(Prompts &prompts, QWidget *owner, const QList<FileFilter> &filters);
// Shows the folder chooser starting in the remembered folder. Returns the chosen folder and
// remembers it; a cancelled dialog throws the cancel failure (2004).
QString ShowFolderDialog(Prompts &prompts, QWidget *owner, const QString &title);

// Asks before an existing target is replaced, unless target is the save dialog's answer, which
// the dialog asked about already: a caller that adds an extension to the answer, or names the
// file itself (answer empty), asks about the name it writes. No ends the command as a cancel.
void askBeforeReplacing(Prompts &prompts, QWidget *owner, const QString &target,
                        const QString &answer = QString());

// Saves the folder of path, up to and including its last separator, as "InitDir".
void RememberFolder(const QString &path);

QString saveDialogTitle();

} // namespace MainModule
