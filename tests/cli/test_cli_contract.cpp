#include "bytes.h"
#include "clirunner.h"
#include "handbitmap.h"
#include "handzip.h"
#include "packagebytes.h"

#include <QDirIterator>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMap>
#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace {

// Every file below the folder with its bytes: what a refusal must leave as it found it.
QMap<QString, QByteArray> filesBelow(const QString &folder)
{
    QMap<QString, QByteArray> files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        files.insert(path, Bytes::readFile(path));
    }
    return files;
}

// The sample game, an 8-bit and a 24-bit bitmap, and names of files that do not exist.
class CliContract : public CliTest
{
protected:
    CliContract()
    {
        paths = {
            {u"G"_s, home.writeSampleGame()},
            {u"C"_s, home.file(u"BmpList.txt"_s)},
            {u"B"_s,
             home.write(u"kit.bmp"_s,
                        HandBitmap::bitmap8(2, 2, HandBitmap::colourTable({}), QByteArray(8, 1)))},
            {u"W"_s, home.write(u"wide.bmp"_s, HandBitmap::bitmap24(2, 2, {1, 2, 3, 4}))},
            {u"N"_s, home.file(u"none"_s)},
            {u"X"_s, home.file(u"ball.bmp"_s)},
            {u"P"_s, home.file(u"kits.zip"_s)},
            {u"O"_s, home.file(u"o"_s)},
            {u"D"_s, home.file(u"d"_s)},
            {u"Q"_s, home.file(u"other.zip"_s)}};
        // A package of bytes the sample GOB file does not hold, so that applying it changes it.
        EXPECT_TRUE(HandZip::write(paths[u"Q"_s],
                                   {{u"install.data"_s, installRecords({{0, 16}})},
                                    {u"file.data"_s, QByteArray(16, '\xee')},
                                    {u"Replaced Files.txt"_s, "\"Raw\"\r\n"_ba}}));
    }

    // The verbs kestrix-cli --help lists.
    QStringList verbs() const
    {
        QStringList names;
        for (const QString &line : cli(u"--help"_s).out.split(u'\n'))
            if (line.startsWith(u"  "_s))
                names << line.trimmed().section(u' ', 0, 0);
        return names;
    }

    void expectUsageError(const QString &line, const QString &text) const
    {
        const CliResult r = cli(line);
        EXPECT_EQ(r.exitCode, 2) << line.toStdString();
        EXPECT_TRUE(r.err.contains(text)) << line.toStdString() << ": " << r.err.toStdString();
        const QString verb = line.section(u' ', 0, 0);
        EXPECT_TRUE(
            r.err.contains(u"usage: kestrix-cli "_s + (verb == u"frob"_s ? u"VERB"_s : verb)))
            << r.err.toStdString();
    }
};

struct Contract
{
    const char *verb;
    const char *usageError;
    const char *refusal; // exits 1 and leaves every file as it was
    const char *success; // nothing where no run can succeed without a window
};

// In this order each success prepares the next verb's files.
const Contract contracts[] = {
    {"demo", "demo", "demo B", "demo D"},
    {"paths", "paths stray", nullptr, "paths"},
    {"list", "list --catalogue C --entry 1.5", "list --catalogue N", "list --catalogue C"},
    {"info", "info", "info N", "info B"},
    {"alpha", "alpha --file B --index 2.5 --value 0", "alpha --file W --all 0",
     "alpha --file B --all 255"},
    {"jpg", "jpg --in B --out O --size 0x0", "jpg --in N --out O", "jpg --in B --out O"},
    {"extract", "extract --catalogue C --gob G --entry -1 --sub 1 --out X",
     "extract --catalogue C --gob G --entry 99 --sub 1 --out X",
     "extract --catalogue C --gob G --entry 3 --sub 1 --out X"},
    {"save", "save --catalogue C --gob G --entry 3 --sub 1",
     "save --catalogue C --gob N --entry 3 --sub 1 --out O",
     "save --catalogue C --gob G --entry 7 --sub 1 --out O"},
    {"preview", "preview --catalogue C --gob G --entry 0 --sub 1 --rotate 4 --out O",
     "preview --catalogue C --gob G --entry 0 --sub 9 --out O",
     "preview --catalogue C --gob G --entry 0 --sub 1 --out O"},
    {"export", "export --catalogue C --gob G --all", "export --catalogue C --gob N --all --dir D",
     "export --catalogue C --gob G --entry 3 --dir D"},
    {"import", "import --catalogue C --gob G --entry 3 --sub 1",
     "import --catalogue C --gob G --entry 3 --sub 1 --file N",
     "import --catalogue C --gob G --entry 3 --sub 1 --file X"},
    {"import-dir", "import-dir --catalogue C --gob G", "import-dir --catalogue C --gob G --dir N",
     "import-dir --catalogue C --gob G --dir D --yes"},
    {"pack", "pack --gob G --catalogue C --out P 4294967296:1",
     "pack --gob G --catalogue C --out P 0:99", "pack --gob G --catalogue C --out P 0:1"},
    {"status", "status --gob G", "status --gob G --package N", "status --gob G --package P"},
    {"apply", "apply --gob G --package P --gob G", "apply --gob G --package N --yes",
     "apply --gob G --package Q --yes"},
    {"packages", "packages", "packages --gob N", "packages --gob G"},
    {"remove", "remove --gob G", "remove --gob G --package none.zip",
     "remove --gob G --package other.zip"},
    {"send", "send", "send A|1|2", nullptr},
    {"completion", "completion fish", nullptr, "completion zsh"},
    {"history", "history", "history --gob N", "history --gob G"},
    {"undo", "undo --gob G --to -1", "undo --gob N", "undo --gob G"},
    {"redo", "redo --gob G --to 1", "redo --gob N", "redo --gob G"}, // redoes the undo above
};

} // namespace

TEST_F(CliContract, EveryVerbHelpsRefusesAUsageErrorAndABadInputAndSucceeds)
{
    QStringList covered;
    for (const Contract &c : contracts) {
        const QString verb = QString::fromLatin1(c.verb);
        covered << verb;
        for (const QString &help : {verb + u" --help"_s, verb + u" -h"_s, u"help "_s + verb}) {
            const CliResult r = cli(help);
            EXPECT_EQ(r.exitCode, 0) << help.toStdString();
            EXPECT_TRUE(r.out.startsWith(u"usage: kestrix-cli "_s + verb)) << help.toStdString();
        }
        const QMap<QString, QByteArray> before = filesBelow(home.path());
        expectUsageError(QString::fromLatin1(c.usageError), QString());
        if (c.refusal)
            expectRefused(QString::fromLatin1(c.refusal), QString());
        EXPECT_EQ(filesBelow(home.path()), before) << c.verb;
        if (c.success) {
            const CliResult r = cli(QString::fromLatin1(c.success));
            EXPECT_EQ(r.exitCode, 0) << c.success << ": " << r.err.toStdString();
        }
    }
    covered.sort();
    EXPECT_EQ(verbs(), covered) << "a verb without its row in the contract table";
}

TEST_F(CliContract, UsageErrorsNameTheOptionAndTheValueAndWriteNothing)
{
    const std::pair<const char *, const char *> cases[] = {
        {"jpg --in B --out O --sise 640x480", "Unknown option 'sise'"},
        {"jpg --in B --out O --size 640.5x480",
         "The width of --size takes a whole number from 1 to 16384, not \"640.5\""},
        {"jpg --in B --out O --size 16x16385", "height of --size"},
        {"jpg --in B --out", "Missing value after '--out'"},
        {"jpg --in B --out O stray", "Unexpected word \"stray\""},
        {"list -catalogue C", "Unknown option \"-catalogue\"; did you mean --catalogue?"},
        {"list --catalogue C --format xml", "--format takes tsv or json"},
        {"list --catalogue C --entry 2147483648",
         "The option --entry takes a whole number from 0 to 2147483647, not \"2147483648\"."},
        {"extract --catalogue C --gob G --gob B --entry 3 --sub 1 --out X",
         "The option --gob is given more than once."},
        {"pack --gob G --catalogue C --out P 99999999999:1", "\"99999999999:1\""},
        {"pack --gob G --catalogue C --out P 0:4294967297", "not \"4294967297\""},
        {"alpha --file B --value 0 --all 0", "either"},
        {"alpha --file B --index 1 --value abc", "--value takes a whole number from 0 to 255"},
        {"alpha --file B --index 1 --value 2.5", "not \"2.5\""},
        {"alpha --file B --all 256", "not \"256\""},
        {"preview --catalogue C --gob G --entry 0 --sub 1 --rotate 1 --transparent --out O",
         "never turned"},
        {"demo", "DIR is missing"},
        {"frob", "unknown verb \"frob\""},
        {"send A|1|2\nB|1|2", "one line"},
    };
    const QMap<QString, QByteArray> before = filesBelow(home.path());
    for (const auto &[line, text] : cases)
        expectUsageError(QString::fromLatin1(line), QString::fromLatin1(text));
    EXPECT_EQ(filesBelow(home.path()), before);
}

// Run through the shell, which hands over bytes that are not UTF-8 and closes descriptors.
CliResult viaShell(const QString &script, const QStringList &args)
{
    QProcess process;
    process.start(u"/bin/sh"_s, QStringList {u"-c"_s, script, QStringLiteral(KESTRIX_CLI)} + args);
    process.waitForFinished(60000);
    return {process.exitCode(), QString::fromLocal8Bit(process.readAllStandardOutput()),
            QString::fromLocal8Bit(process.readAllStandardError())};
}

TEST_F(CliContract, NamesThatAreNotUtf8AreRefusedNotMergedIntoOneFile)
{
    const QString extract =
        u"cd \"$1\" && \"$0\" extract --catalogue \"$2\" --gob \"$3\" --entry 3 --sub 1 "
        u"--out \"$(printf \"x\\\\3${4}o.bmp\")\""_s;
    for (const QString &byte : {u"51"_s, u"50"_s}) { // é and è in Latin-1
        const CliResult r = viaShell(extract, {home.path(), paths[u"C"_s], paths[u"G"_s], byte});
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_TRUE(
            r.err.contains(u"\"x\\xe%1o.bmp\" is not UTF-8 text"_s.arg(byte == u"51"_s ? 9 : 8)))
            << r.err.toStdString();
    }
    EXPECT_EQ(QDir(home.path()).entryList({u"x*"_s}), QStringList());
}

TEST_F(CliContract, AFailedWriteToStandardOutputExitsOneWithTheReason)
{
    for (const QString &line : {u"list --catalogue C"_s, u"--help"_s, u"--version"_s}) {
        const CliResult full = cli(line, {}, u"/dev/full"_s);
        EXPECT_EQ(full.exitCode, 1) << line.toStdString();
        EXPECT_EQ(full.err, u"kestrix-cli: write error: No space left on device\n"_s)
            << line.toStdString();
    }
    // list runs in the program, --help in its module of verbs.
    for (const QString &line : {u"list --catalogue"_s, u"--help"_s}) {
        const CliResult closed = viaShell(uR"("$0" $1 "$2" >&-)"_s, {line, paths[u"C"_s]});
        EXPECT_EQ(closed.exitCode, 1) << line.toStdString();
        EXPECT_EQ(closed.err, u"kestrix-cli: write error: Bad file descriptor\n"_s);
    }
}

TEST_F(CliContract, JsonHoldsTheFieldsOfTheTabSeparatedLinesUnderTheirNames)
{
    ASSERT_EQ(cli(u"extract --catalogue C --gob G --entry 3 --sub 1 --out X"_s).exitCode, 0);
    ASSERT_EQ(cli(u"import --catalogue C --gob G --entry 3 --sub 1 --file X"_s).exitCode, 0);
    ASSERT_EQ(cli(u"pack --gob G --catalogue C --out P 0:1 3:1"_s).exitCode, 0);
    const std::pair<const char *, QStringList> cases[] = {
        {"list --catalogue C", {u"index"_s, u"kind"_s, u"count"_s, u"description"_s}},
        {"list --catalogue C --entry 0", {u"number"_s, u"offset"_s, u"size"_s, u"caption"_s}},
        {"info X", {u"width"_s, u"height"_s, u"format"_s}},
        {"history --gob G",
         {u"number"_s, u"time"_s, u"kind"_s, u"state"_s, u"bytes"_s, u"description"_s}},
        {"status --gob G --package P", {u"number"_s, u"state"_s, u"description"_s}},
    };
    for (const auto &[line, names] : cases) {
        const QString tsv = cli(QString::fromLatin1(line)).out;
        const CliResult json = cli(QString::fromLatin1(line) + u" --format json"_s);
        ASSERT_EQ(json.exitCode, 0) << line;
        QJsonParseError error;
        const QJsonDocument document = QJsonDocument::fromJson(json.out.toUtf8(), &error);
        ASSERT_EQ(error.error, QJsonParseError::NoError) << line;
        QString rebuilt;
        for (const QJsonValue &record : document.array()) {
            QStringList fields;
            for (const QString &name : names) {
                const QJsonValue value = record.toObject().value(name);
                fields << (value.isDouble() ? QString::number(value.toInteger())
                                            : value.toString());
            }
            rebuilt += fields.join(u'\t') + u'\n';
        }
        EXPECT_FALSE(tsv.isEmpty()) << line;
        EXPECT_EQ(rebuilt, tsv) << line;
    }
}
