#include "bytes.h"
#include "handhistory.h"
#include "refusal.h"

#include "library/installedpackages.h"
#include "library/packageremoval.h"

#include <QMap>

using namespace Qt::StringLiterals;

namespace {

constexpr qint32 GobSize = 100000;

// Three packages whose regions and .tga files overlap: records of (package offset, size),
// file.data a pattern.
struct Package
{
    QString name;
    QList<std::pair<qint32, qint32>> records;
    int seed;
    QList<HandZip::Entry> tga;
};
const Package Packages[] = {
    {u"a.zip"_s, {{20000, 4000}, {30000, 100}}, 1, {{u"shirt.tga"_s, "A shirt"}}},
    {u"b.zip"_s,
     {{22000, 4000}, {19000, 2000}, {29950, 100}},
     2,
     {{u"shirt.tga"_s, "B shirt"}, {u"sock.tga"_s, "B sock"}}},
    {u"c.zip"_s, {{23000, 500}, {40000, 10}}, 3, {{u"sock.tga"_s, "C sock"}}},
};
// The bats folder before any package: the user's own shirt.
const QMap<QString, QByteArray> OwnBats {{u"shirt.tga"_s, "mine"}};

const Package &packageNamed(QChar letter)
{
    return Packages[letter.unicode() - u'a'];
}

class LibraryTest : public HandHistoryTest
{
protected:
    LibraryTest()
        : HandHistoryTest(Bytes::pattern(GobSize, 7))
    {
        startAgain();
    }

    void apply(const Package &p)
    {
        HandHistoryTest::apply(p.name, p.records, p.seed, p.tga, home.file(u"bats"_s));
    }

    // The history limit drops the oldest change.
    void dropOldest()
    {
        GobHistory::setLimit(GobHistory(gob).size() - GobHistory(gob).changes().first().fileSize());
        GobHistory(gob).makeRoom(0);
        GobHistory::setLimit(1 << 30);
    }

    QMap<QString, QByteArray> bats() const
    {
        QMap<QString, QByteArray> files;
        for (const QString &name : QDir(home.file(u"bats"_s)).entryList(QDir::Files))
            files[name] = Bytes::readFile(home.file(u"bats/"_s + name));
        return files;
    }

    // The original GOB file with no history, and the user's own bats folder.
    void startAgain()
    {
        HandHistoryTest::startAgain();
        QDir(home.file(u"bats"_s)).removeRecursively();
        home.write(u"bats/shirt.tga"_s, OwnBats[u"shirt.tga"_s]);
    }

    // The GOB file as the packages, applied in this order to the original, leave it: worked out
    // by copying their bytes, not through the history.
    QByteArray expected(const QString &applied) const
    {
        // The .tga files the same way: the last package applied wins.
        expectedBats = OwnBats;
        for (const QChar letter : applied)
            for (const HandZip::Entry &file : packageNamed(letter).tga)
                expectedBats[file.name] = file.bytes;
        QByteArray bytes = original;
        for (const QChar letter : applied) {
            const Package &p = packageNamed(letter);
            const QByteArray data = Bytes::pattern(GobSize, p.seed); // file.data, and more
            qint32 at = 0;
            for (const auto &[offset, size] : p.records) {
                bytes.replace(offset + 111, size, data.mid(at, size));
                at += size;
            }
        }
        return bytes;
    }

    mutable QMap<QString, QByteArray> expectedBats;
};

} // namespace

// Steps: "+x" applies package x, "-x" removes it, "u" undoes the newest change, "r" redoes it,
// "d" lets the history limit drop the oldest change. The GOB file (and the bats folder) must be
// the original with the bytes (files) of the packages that stand copied over it in the order they
// were applied, and undo back to the start must give the original again.
TEST_F(LibraryTest, RemovingAnyPackageLeavesTheGobAsIfItHadNeverBeenApplied)
{
    const struct
    {
        const char *steps;
        QStringList installed; // name, items holding its bytes / items
    } cases[] = {
        {"+a +b +c", {u"a.zip 0/2"_s, u"b.zip 2/3"_s, u"c.zip 2/2"_s}},
        {"+a +b +c -b", {u"a.zip 1/2"_s, u"c.zip 2/2"_s}},
        {"+a +b +c -b -c -a", {}},
        {"+a +b +c -b u", {u"a.zip 0/2"_s, u"b.zip 2/3"_s, u"c.zip 2/2"_s}},
        {"+a +b +c -b u u", {u"a.zip 0/2"_s, u"b.zip 3/3"_s}},
        {"+a +b -b", {u"a.zip 2/2"_s}},
        {"+a +b +c -a -b", {u"c.zip 2/2"_s}},
        {"+a +b +c -c -a u", {u"a.zip 0/2"_s, u"b.zip 3/3"_s}},
        {"+b +a -b -a", {}},
        {"+a +b +c -b -a u u", {u"a.zip 0/2"_s, u"b.zip 2/3"_s, u"c.zip 2/2"_s}},
        {"+a +b +c -c -b u r", {u"a.zip 2/2"_s}},
        {"+a -a d +b +c -b", {u"c.zip 2/2"_s}},
    };
    for (const auto &c : cases) {
        const QString steps = QString::fromLatin1(c.steps);
        QString stands; // the packages applied and not taken out
        QStringList done; // the steps undo can take back, newest last
        QStringList undone; // the steps redo can take again, newest last
        const auto toggle = [&](QChar x) {
            stands.contains(x) ? stands.remove(x) : stands.append(x);
        };
        for (const QString &step : steps.split(u' ')) {
            if (step == u"d"_s) {
                dropOldest();
                continue;
            }
            if (step == u"u"_s || step == u"r"_s) {
                const bool undo = step == u"u"_s;
                (undo ? undone : done) << (undo ? done : undone).takeLast();
                toggle((undo ? undone : done).last()[1]);
                undo ? void(GobHistory(gob).undo()) : void(GobHistory(gob).redo());
                continue;
            }
            done << step;
            toggle(step[1]);
            if (step[0] == u'+')
                apply(packageNamed(step[1]));
            else
                PackageRemoval::remove(gob, packageNamed(step[1]).name);
        }
        std::sort(stands.begin(), stands.end(), [&](QChar x, QChar y) {
            return steps.indexOf(u'+' + x) < steps.indexOf(u'+' + y);
        });
        EXPECT_TRUE(Bytes::readFile(gob) == expected(stands)) << c.steps;
        EXPECT_EQ(bats(), expectedBats) << c.steps;
        QStringList installed;
        for (const InstalledPackages::Package &p : InstalledPackages::of(gob))
            installed << u"%1 %2/%3"_s.arg(p.name).arg(p.holding).arg(p.items);
        EXPECT_EQ(installed, c.installed) << c.steps;
        GobHistory(gob).undo(0);
        if (!steps.contains(u'd')) {
            EXPECT_EQ(Bytes::readFile(gob), original) << c.steps;
            EXPECT_EQ(bats(), OwnBats) << c.steps;
        }
        startAgain();
    }
}

// Each refusal names its reason and leaves the GOB file and the history as they were.
TEST_F(LibraryTest, ARemovalTheHistoryCannotBackIsRefusedWithItsReason)
{
    const auto limitDropsA = [this] {
        apply(Packages[0]);
        apply(Packages[1]);
        apply(Packages[2]);
        const QList<ChangeFile> changes = GobHistory(gob).changes();
        GobHistory(gob).undo();
        GobHistory::setLimit(changes[1].fileSize() + changes[2].fileSize());
        apply(Packages[2]); // done again as change 4: the limit drops the undone c and then a
    };
    const auto undoA = [&] { apply(Packages[0]), GobHistory(gob).undo(); };
    const auto removeDroppedA = [&] {
        apply(Packages[0]), apply(Packages[1]), PackageRemoval::remove(gob, u"a.zip"_s);
        dropOldest();
    };
    const auto removeA = [&] { apply(Packages[0]), PackageRemoval::remove(gob, u"a.zip"_s); };
    const auto writeIntoA = [&] {
        apply(Packages[0]);
        QFile file(gob);
        ASSERT_TRUE(file.open(QIODevice::ReadWrite) && file.seek(30200) && file.write("x"));
    };
    // %1 the GOB file, %2 and %3 changes 1 and 2 as the history shows them.
    const struct
    {
        std::function<void()> setUp;
        QString package;
        QString message;
    } cases[] = {
        {limitDropsA, u"1"_s,
         u"Change 1 can no longer be removed: the history limit dropped it (the history of %1 "
         "keeps changes from 2 on). Nothing was written."_s},
        {limitDropsA, u"a.zip"_s,
         u"No package \"a.zip\" is applied to %1: give the number or the name that the "
         "installed packages list."_s},
        {undoA, u"1"_s, u"Change %2 is undone: there is nothing to remove."_s},
        {removeDroppedA, u"b.zip"_s,
         u"Change %2 can no longer be removed: change %3 took out a package whose change the "
         "history limit has dropped since, so what lay there before that package is not known. "
         "Nothing was written."_s},
        {removeA, u"1"_s, u"Change %2 was removed already by change %3."_s},
        {removeA, u"2"_s, u"Change %3 is no package; undo it instead."_s},
        {writeIntoA, u"a.zip"_s,
         u"Bytes 30111 to 30210 of %1 do not hold what the history says change %2 left there: "
         "something outside Kestrix has written there. Nothing was written."_s},
    };
    for (const auto &c : cases) {
        c.setUp();
        const QByteArray before = Bytes::readFile(gob);
        const QMap<QString, QByteArray> batsBefore = bats();
        const QList<ChangeFile> all = GobHistory(gob).changes();
        const QString message = QString(c.message)
                                    .replace(u"%1"_s, gob)
                                    .replace(u"%2"_s, all.value(0).shown())
                                    .replace(u"%3"_s, all.value(1).shown());
        EXPECT_EQ(refusal([&] { PackageRemoval::remove(gob, c.package); }), message);
        EXPECT_TRUE(Bytes::readFile(gob) == before) << c.package.toStdString();
        EXPECT_EQ(bats(), batsBefore);
        EXPECT_EQ(GobHistory(gob).changes().size(), all.size());
        startAgain();
        GobHistory::setLimit(1 << 30);
    }
}
