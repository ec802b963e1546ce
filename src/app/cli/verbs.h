#pragma once

#include <QStringList>

// The verbs of kestrix-cli. Each takes the words after its name and returns the exit status:
// 0 on success, 1 on a refusal or failure (after printing the message).
namespace Verbs {

int demo(const QStringList &words);
int list(const QStringList &words);
int extract(const QStringList &words);
int save(const QStringList &words);
int paths(const QStringList &words);
int alpha(const QStringList &words);
int jpg(const QStringList &words);
int pack(const QStringList &words);
int apply(const QStringList &words);
int send(const QStringList &words);
int preview(const QStringList &words);
int info(const QStringList &words);
int import(const QStringList &words);

} // namespace Verbs
