#pragma once

#include <QString>

// Throws a Failure "Cannot open PATH: REASON" unless path names a file that exists, is no
// folder and (with nonEmpty) holds at least one byte, so that a verb names the cause before any
// reader guesses at an empty picture or an empty history.
void requireInputFile(const QString &path, bool nonEmpty = false);
