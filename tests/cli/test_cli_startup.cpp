#include "bytes.h"
#include "clirunner.h"

#include <QFile>
#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace {

class CliStartup : public CliTest
{
protected:
    CliStartup()
    {
        paths = {{u"G"_s, home.writeSampleGame()},
                 {u"C"_s, home.file(u"BmpList.txt"_s)},
                 {u"O"_s, home.file(u"shirt.png"_s)}};
    }

    bool wroteThePng() const { return Bytes::readFile(paths[u"O"_s]).startsWith("\x89PNG\r\n"); }
};

const auto previewLine = u"preview --catalogue C --gob G --entry 0 --sub 1 --out O"_s;

} // namespace

// The dynamic loader of glibc names each library it starts (LD_DEBUG=libs): the verbs without
// pictures must not start Qt Gui, Qt Network or libzip, which cost as much as the rest of the run.
TEST_F(CliStartup, VerbsWithoutPicturesLoadQtCoreAlone)
{
#ifndef Q_OS_LINUX
    GTEST_SKIP() << "reads the dynamic loader of glibc";
#endif
    environment = {u"LD_DEBUG=libs"_s};
    const QRegularExpression started(uR"(calling init: \S*/lib(Qt6Gui|Qt6Network|zip)\.so)"_s);
    const struct
    {
        QString line;
        bool pictures;
    } cases[] = {{u"--version"_s, false}, {u"list --catalogue C"_s, false}, {previewLine, true}};
    for (const auto &[line, pictures] : cases) {
        const CliResult r = cli(line);
        EXPECT_EQ(r.exitCode, 0) << line.toStdString();
        EXPECT_EQ(r.err.contains(started), pictures) << line.toStdString();
    }
    EXPECT_TRUE(wroteThePng());
}

// kestrix-cli copied without its module still runs its own verbs; the others are refused.
TEST_F(CliStartup, WithoutItsModuleAPictureVerbIsRefusedAndWritesNothing)
{
    program = home.file(u"bin/kestrix-cli"_s);
    ASSERT_TRUE(QDir().mkpath(home.file(u"bin"_s)));
    ASSERT_TRUE(QFile::copy(QStringLiteral(KESTRIX_CLI), program));
    EXPECT_EQ(cli(u"list --catalogue C"_s).exitCode, 0);
    const CliResult r = cli(previewLine);
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.startsWith(u"kestrix-cli: \"preview\" needs "_s + home.path()))
        << r.err.toStdString();
    EXPECT_TRUE(r.err.contains(u"kestrix-cli-verbs"_s)
                && r.err.endsWith(u". Nothing was written.\n"_s))
        << r.err.toStdString();
    EXPECT_EQ(r.out, QString());
    EXPECT_FALSE(QFile::exists(paths[u"O"_s]));
}
