// kestrix-cli: the engines of Kestrix without windows, for scripting and batch work.
#include "cli/consoleprompts.h"
#include "cli/verbs.h"

#include "services/failure.h"

#include <QCoreApplication>

#include <functional>
#include <map>

namespace {

const char Usage[] = R"(usage: kestrix-cli VERB ...
  demo    DIR
  list    --catalogue FILE [--entry K]
  extract --catalogue FILE --gob FILE --entry K --sub I --out FILE
  save    --catalogue FILE --gob FILE --entry K --sub I --out FILE
  alpha   --file FILE.bmp (--index I --value V | --all V)
  jpg     --in FILE.bmp --out FILE.jpg [--size WxH]
  paths   (where this copy keeps BmpList.txt, temp.bmp and its help pages)
  pack    --gob FILE --out FILE.zip [--catalogue FILE] [--readme FILE] ITEM...
          ITEM is "description|position|size" or K:I (entry K, sub file I; needs --catalogue)
  apply   --gob FILE --package FILE.zip [--backup] [--bats DIR] [--yes]
  send    "description|position|size"   (to the package window of a running Kestrix)
  preview --catalogue FILE --gob FILE --entry K --sub I [--rotate 0|1|2|3] [--transparent] --out FILE.png
  info    FILE
  import  --catalogue FILE --gob FILE --entry K --sub I --file FILE [--keep-alpha]
Entries count from 0, sub files from 1.)";

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("kestrix-cli"));

    const std::map<QString, std::function<int(const QStringList &)>> verbs = {
        {QStringLiteral("demo"), Verbs::demo},
        {QStringLiteral("list"), Verbs::list},
        {QStringLiteral("extract"), Verbs::extract},
        {QStringLiteral("save"), Verbs::save},
        {QStringLiteral("paths"), Verbs::paths},
        {QStringLiteral("alpha"), Verbs::alpha},
        {QStringLiteral("jpg"), Verbs::jpg},
        {QStringLiteral("pack"), Verbs::pack},
        {QStringLiteral("apply"), Verbs::apply},
        {QStringLiteral("send"), Verbs::send},
        {QStringLiteral("preview"), Verbs::preview},
        {QStringLiteral("info"), Verbs::info},
        {QStringLiteral("import"), Verbs::import},
    };

    QStringList words = QCoreApplication::arguments().mid(1);
    if (words.isEmpty() || !verbs.count(words.first())) {
        ConsolePrompts::printError(QString::fromLatin1(Usage));
        return 1;
    }
    const QString verb = words.takeFirst();
    try {
        return verbs.at(verb)(words);
    } catch (const Failure &failure) {
        ConsolePrompts::printError(failure.description());
        return 1;
    }
}
