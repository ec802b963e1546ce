#include "handgob.h"
#include "handzip.h"
#include "mainwindowfixture.h"
#include "packagebytes.h"

#include "tools/frminstalledpackages.h"

#include <QMenu>
#include <QProcess>
#include <QTreeWidget>

using namespace Qt::StringLiterals;

namespace {

// A package of one record of size bytes of pattern seed at package offset offset.
QString package(const TestHome &home, const QString &name, qint32 offset, qint32 size, int seed)
{
    const QString path = home.file(name);
    EXPECT_TRUE(HandZip::write(path,
                               {{u"install.data"_s, installRecords({{offset, size}})},
                                {u"file.data"_s, Bytes::pattern(size, seed)},
                                {u"Replaced Files.txt"_s, "\"Item\"\r\n"_ba}}));
    return path;
}

} // namespace

// Edit > Installed Packages lists the packages newest first; Remove takes the chosen older one
// out, and the list follows.
TEST_F(MainWindowTest, InstalledPackagesRemovesAnOlderPackageAndTheListFollows)
{
    const QByteArray original = HandGob::withAt(
        8000, 1000, HandGob::imageRecord(8, 4, Bytes::pattern(32, 3), HandGob::palette()));
    startOnHand(u"Kits,1,1001,Shirt"_s, original);
    for (const auto &[name, offset, seed] :
         {std::tuple {u"a.zip"_s, 2000, 1}, std::tuple {u"b.zip"_s, 2050, 2}}) {
        QProcess cli;
        cli.setEnvironment(home.environment());
        cli.start(QStringLiteral(KESTRIX_CLI),
                  {u"apply"_s, u"--gob"_s, gob, u"--package"_s,
                   package(home, name, offset, 100, seed), u"--yes"_s});
        ASSERT_TRUE(cli.waitForFinished(30000));
        ASSERT_EQ(cli.exitCode(), 0);
    }
    // Without a: the original with b's 100 bytes at 2050 + 111.
    QByteArray withoutA = original;
    withoutA.replace(2161, 100, Bytes::pattern(100, 2));

    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    prompts.answerMessage(Answer::Yes);
    QStringList listed;
    QTimer::singleShot(0, window.get(),
                       [&] { QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_P); });
    QTimer::singleShot(50, window.get(), [&] {
        auto *installed = window->findChild<frmInstalledPackages *>();
        ASSERT_NE(installed, nullptr);
        const auto rows = [installed] {
            QStringList r;
            for (int i = 0; i < installed->lstPackages->topLevelItemCount(); ++i) {
                const QTreeWidgetItem *row = installed->lstPackages->topLevelItem(i);
                r << row->text(0) + u' ' + row->text(1) + u' ' + row->text(3) + u' ' + row->text(4);
            }
            return r;
        };
        listed = rows();
        QTest::keyClick(installed->lstPackages, Qt::Key_Down);
        QTest::mouseClick(installed->cmdRemove, Qt::LeftButton);
        listed << rows();
        QTest::mouseClick(installed->cmdClose, Qt::LeftButton);
    });
    QTest::keyClick(window.get(), Qt::Key_E, Qt::AltModifier);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !listed.isEmpty(); }, 5000));
    // b wrote over half of a, so a holds its bytes in none of its one item, then b alone stands.
    EXPECT_EQ(listed, (QStringList {u"2 b.zip 1 1"_s, u"1 a.zip 1 0"_s, u"2 b.zip 1 1"_s}));
    EXPECT_EQ(prompts.messageTexts(),
              QStringList {u"Remove package 1 (a.zip)? The bytes that lay there before it go "
                           "back, except where a later change has written since. Undo puts it "
                           "back."_s});
    EXPECT_TRUE(Bytes::readFile(gob) == withoutA);
    EXPECT_TRUE(window->mnuUndo->text().startsWith(u"&Undo remove 1 a.zip"_s));
}
