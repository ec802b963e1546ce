#pragma once

// The entry point of kestrix-cli's module of verbs, which holds every verb (those that draw
// pictures, read or write zip archives or reach the package window too) beside the program's
// own few. kestrix-cli has made the QCoreApplication and installed the translations; the entry
// point runs the words after "kestrix-cli", finishes standard output and returns the exit status.
using RunVerbs = int (*)(bool outputWasClosed);
inline constexpr char RunVerbsName[] = "kestrixRunVerbs";
