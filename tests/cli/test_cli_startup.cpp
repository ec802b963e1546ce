#include "clirunner.h"

#include <QFile>
#include <QRegularExpression>

using namespace Qt::StringLiterals;

// The verbs without pictures must start no Qt Gui, Qt Network or libzip, which cost as much as
// the rest of their run: the dynamic loader of glibc names each library it starts (LD_DEBUG=libs).
// The others run from kestrix-cli's module; a copy of kestrix-cli alone refuses them.
TEST_F(CliTest, VerbsWithoutPicturesStartQtCoreAloneAndTheOthersNeedTheModule)
{
#ifndef Q_OS_LINUX
    GTEST_SKIP() << "reads the dynamic loader of glibc";
#endif
    const QString lone = home.file(u"kestrix-cli"_s), png = home.file(u"shirt.png"_s);
    paths = {
        {u"G"_s, home.writeSampleGame()}, {u"C"_s, home.file(u"BmpList.txt"_s)}, {u"O"_s, png}};
    ASSERT_TRUE(QFile::copy(QStringLiteral(KESTRIX_CLI), lone));
    environment = {u"LD_DEBUG=libs"_s};
    const QRegularExpression started(uR"(calling init: \S*/lib(Qt6Gui|Qt6Network|zip)\.so)"_s);
    const QRegularExpression refused(uR"(kestrix-cli: "preview" needs \S+/kestrix-cli-verbs\S*, )"
                                     uR"(which cannot be loaded: .+\. Nothing was written\.\n)"_s);
    const QString preview = u"preview --catalogue C --gob G --entry 0 --sub 1 --out O"_s;
    const struct
    {
        QString line;
        bool alone;
        int status; // 1: refused, nothing written
        bool pictures; // Qt Gui, Qt Network and libzip started
    } cases[] = {{u"--version"_s, false, 0, false},
                 {u"list --catalogue C"_s, false, 0, false},
                 {preview, false, 0, true},
                 {u"list --catalogue C"_s, true, 0, false},
                 {preview, true, 1, false}};
    for (const auto &[line, alone, status, pictures] : cases) {
        QFile::remove(png);
        program = alone ? lone : QStringLiteral(KESTRIX_CLI);
        const CliResult r = cli(line);
        EXPECT_EQ(r.exitCode, status) << line.toStdString() << alone << r.err.toStdString();
        EXPECT_EQ(r.err.contains(started), pictures) << line.toStdString();
        EXPECT_EQ(QFile::exists(png), pictures) << line.toStdString();
        EXPECT_EQ(r.err.contains(refused), status == 1 && r.out.isEmpty()) << r.err.toStdString();
    }
}
