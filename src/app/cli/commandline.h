#pragma once

#include <QStringList>

// The words after "kestrix-cli", run as the verbs registered in this build know them: the
// overview for --help, a verb's help, --version, a verb, or the message on an unknown verb.
// Returns the exit status; standard output is left to ConsolePrompts::finishOutput.
int runCommandLine(QStringList words);

// Whether the words ask for something the verbs registered in this build answer in full: not
// the overview, which lists every verb, nor a verb registered elsewhere.
bool answeredByRegisteredVerbs(const QStringList &words);
