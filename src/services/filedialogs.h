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

// Saves the folder of path, up to and including its last separator, as "InitDir".
void RememberFolder(const QString &path);

QString saveDialogTitle();

} // namespace MainModule
