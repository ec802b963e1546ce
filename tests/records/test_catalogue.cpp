#include "testhome.h"

#include "records/catalogue.h"
#include "records/catalogueentry.h"
#include "records/otheritems.h"
#include "services/failure.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

QStringList fields(const char *line)
{
    return Catalogue::splitFields(QString::fromUtf8(line));
}

QString failureText(const QStringList &f, int lineNumber)
{
    try {
        CatalogueEntry::parse(f, lineNumber, QStringLiteral("BmpList.txt"));
    } catch (const Failure &failure) {
        return failure.description();
    }
    return QString();
}

// Text as UTF-16 with its byte-order mark, each unit's bytes put in the given order by hand.
QByteArray utf16(std::u16string_view text, bool bigEndian)
{
    QByteArray bytes;
    for (const char16_t unit : u"\uFEFF" + std::u16string(text)) {
        bytes += char(bigEndian ? unit >> 8 : unit & 0xFF);
        bytes += char(bigEndian ? unit & 0xFF : unit >> 8);
    }
    return bytes;
}

} // namespace

TEST(Catalogue, TextAsWindowsEditorsSaveIt)
{
    TestHome home;
    const std::u16string_view lines = u"h\u03A9\r\nh2\r\nA\nB,1,1,x\r\u03A9mega \u20AC,1,1,y";
    const struct
    {
        QByteArray bytes;
        QString first;
        QStringList texts;
    } cases[] = {
        // Windows-1252: 0x92 is U+2019, 0x96 U+2013, 0x80 U+20AC, 0x85 U+2026, 0xE9 U+00E9.
        {"h\xe9\r\nh2\r\nTeam\x92s kit \x96 \x80"
         "5\x85,1,1,x\r\nCaf\xe9,1,1,x",
         QStringLiteral("h\u00E9"),
         {QStringLiteral("Team\u2019s kit \u2013 \u20AC5\u2026"), QStringLiteral("Caf\u00E9")}},
        // UTF-8 with its byte-order mark, which is no part of the first line.
        {"\xef\xbb\xbfh\xce\xa9\r\nh2\r\nCaf\xc3\xa9,1,1,x",
         QStringLiteral("h\u03A9"),
         {QStringLiteral("Caf\u00E9")}},
        // UTF-16 in both byte orders: a lone LF still belongs to its line.
        {utf16(lines, false),
         QStringLiteral("h\u03A9"),
         {QStringLiteral("A\nB"), QStringLiteral("\u03A9mega \u20AC")}},
        {utf16(lines, true),
         QStringLiteral("h\u03A9"),
         {QStringLiteral("A\nB"), QStringLiteral("\u03A9mega \u20AC")}},
    };
    for (const auto &[bytes, first, texts] : cases) {
        const QString path = home.write(QStringLiteral("BmpList.txt"), bytes);
        EXPECT_EQ(Catalogue::firstLineOf(path), first);
        EXPECT_EQ(Catalogue::read(path).displayTexts(), texts);
        EXPECT_EQ(Catalogue::readEntryLine(path, 0).section(u',', 0, 0), texts[0]);
    }
}

TEST(Catalogue, CrLfAndLoneCrEndLinesButALoneLfBelongsToTheLine)
{
    EXPECT_EQ(Catalogue::splitLines(QStringLiteral("a\r\nb\rc\nd\r\n")),
              (QStringList {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c\nd")}));
    EXPECT_EQ(Catalogue::splitLines(QStringLiteral("a\r\nlast")),
              (QStringList {QStringLiteral("a"), QStringLiteral("last")}));
    EXPECT_EQ(Catalogue::splitLines(QStringLiteral("a\r\n\r\n")),
              (QStringList {QStringLiteral("a"), QString()}));
    EXPECT_EQ(Catalogue::splitLines(QStringLiteral("\r\r\n")),
              (QStringList {QString(), QString()}));
    EXPECT_TRUE(Catalogue::splitLines(QString()).isEmpty());
}

TEST(Catalogue, HeaderLinesAreSkippedWhateverTheyHold)
{
    TestHome home;
    const QString path = home.write(QStringLiteral("BmpList.txt"),
                                    "Stadium board,1,5000,File 1\r\n$png,Logo,1,9,x,1\r"
                                    "Stadium board,1,5000,File 1\r\n$png,Team logo,1,9,Small,1");
    const Catalogue catalogue = Catalogue::read(path);
    EXPECT_EQ(catalogue.firstLine(), QStringLiteral("Stadium board,1,5000,File 1"));
    EXPECT_EQ(catalogue.entryCount(), 2);
    EXPECT_EQ(catalogue.displayTexts(),
              (QStringList {QStringLiteral("Stadium board"), QStringLiteral("Team logo")}));
    EXPECT_EQ(Catalogue::lineNumberOfEntry(1), 4);
}

TEST(Catalogue, DisplayTextNeedsAField)
{
    TestHome home;
    const QString path = home.write(QStringLiteral("BmpList.txt"), "h1\r\nh2\r\nA,1,1,x\r\n\r\nB");
    try {
        Catalogue::read(path).displayTexts();
        FAIL() << "an empty entry line was accepted";
    } catch (const Failure &f) {
        EXPECT_EQ(f.description(), path + QStringLiteral(" line 4 is empty."));
    }
    const QString lone = home.write(QStringLiteral("Lone.txt"), "h1\r\nh2\r\n$png");
    EXPECT_THROW(Catalogue::read(lone).displayTexts(), Failure);
    const QString one = home.write(QStringLiteral("One.txt"), "only one header line");
    EXPECT_THROW(Catalogue::read(one), Failure);
}

TEST(Catalogue, OneEntryLineIsCutAsTheWholeFileIs)
{
    TestHome home;
    const QString path = home.write(QStringLiteral("BmpList.txt"),
                                    "h1\r\nh2\rA,1,1,x\r\n\r\nB\nC,1,2,y\r$png,D,1,3,z,1");
    EXPECT_EQ(Catalogue::readEntryLine(path, 0), QStringLiteral("A,1,1,x"));
    EXPECT_EQ(Catalogue::readEntryLine(path, 1), QString());
    EXPECT_EQ(Catalogue::readEntryLine(path, 2), QStringLiteral("B\nC,1,2,y"));
    EXPECT_EQ(Catalogue::readEntryLine(path, 3), QStringLiteral("$png,D,1,3,z,1"));
    const auto refusal = [](const std::function<void()> &read) {
        try {
            read();
        } catch (const Failure &f) {
            return f.description();
        }
        return QString();
    };
    const QString missing = refusal([&] { Catalogue::readEntryLine(path, 4); });
    EXPECT_FALSE(missing.isEmpty());
    EXPECT_EQ(missing, refusal([&] { Catalogue::read(path).entryLine(4); }));
    const QString one = home.write(QStringLiteral("One.txt"), "only one header line");
    EXPECT_THROW(Catalogue::readEntryLine(one, 0), Failure);
}

TEST(CatalogueEntry, WholeFileEntryWithFractionalKilobytes)
{
    const CatalogueEntry e =
        CatalogueEntry::parse(fields("$png,Team logo,2,1000,Small,12,2000,Large,3.5"), 3, {});
    EXPECT_TRUE(e.isWholeFile());
    EXPECT_EQ(e.typeName(), QStringLiteral("png"));
    EXPECT_EQ(e.description(), QStringLiteral("Team logo"));
    ASSERT_EQ(e.count(), 2);
    EXPECT_EQ(e.subFile(1).offset, 1000);
    EXPECT_EQ(e.subFile(1).caption, QStringLiteral("Small"));
    EXPECT_EQ(e.subFile(1).areaSize, 12288);
    EXPECT_EQ(e.subFile(2).offset, 2000);
    EXPECT_EQ(e.subFile(2).caption, QStringLiteral("Large"));
    EXPECT_EQ(e.subFile(2).areaSize, 3584);
    // A half byte goes to the even neighbour: 0.00048828125 KB is half a byte.
    EXPECT_EQ(CatalogueEntry::kilobytesToBytes(QStringLiteral("0.00048828125")), 0);
    EXPECT_EQ(CatalogueEntry::kilobytesToBytes(QStringLiteral("0.00146484375")), 2);
}

TEST(CatalogueEntry, BitmapEntryKeepsBlanksInTextButNotInNumbers)
{
    const CatalogueEntry e =
        CatalogueEntry::parse(fields("Stadium board, 2 , 5000 , File 1,  6000, Back"), 3, {});
    EXPECT_FALSE(e.isWholeFile());
    EXPECT_EQ(e.description(), QStringLiteral("Stadium board"));
    ASSERT_EQ(e.count(), 2);
    EXPECT_EQ(e.subFile(1).offset, 5000);
    EXPECT_EQ(e.subFile(1).caption, QStringLiteral(" File 1"));
    EXPECT_EQ(e.subFile(2).offset, 6000);
    EXPECT_EQ(e.subFile(2).caption, QStringLiteral(" Back"));
    EXPECT_EQ(e.subFile(1).areaSize, 0);
    // A "$" later in the first field does not make a whole-file entry.
    EXPECT_FALSE(CatalogueEntry::parse(fields("Kit$,1,5,a"), 3, {}).isWholeFile());
}

TEST(CatalogueEntry, MalformedLinesNameTheLineAndTheValue)
{
    EXPECT_EQ(failureText(fields("Board,two,5000,File 1"), 7),
              QStringLiteral("BmpList.txt line 7: the number of sub files \"two\" is not a whole "
                             "number from 1 to 32767."));
    EXPECT_TRUE(failureText(fields("Board,0"), 7).contains(QStringLiteral("\"0\"")));
    EXPECT_TRUE(failureText(fields("Board,-3,1,a"), 7).contains(QStringLiteral("line 7")));
    EXPECT_EQ(failureText(fields("Board,2,5000,File 1,6000"), 9),
              QStringLiteral("BmpList.txt line 9: 2 sub files need 6 fields, the line has 5."));
    // A description with a comma shifts the fields: the count is now "North".
    EXPECT_TRUE(failureText(fields("Stand, North,1,500,a"), 5).contains(QStringLiteral("North")));
    EXPECT_TRUE(failureText(fields("Board,1,50x0,File 1"), 4).contains(QStringLiteral("\"50x0\"")));
    EXPECT_TRUE(failureText(fields("Board,1,0,File 1"), 4).contains(QStringLiteral("offset")));
    EXPECT_TRUE(
        failureText(fields("$png,Logo,1,100,Small,big"), 4).contains(QStringLiteral("\"big\"")));
    EXPECT_TRUE(
        failureText(fields("$png,Logo,1,100,Small,-1"), 4).contains(QStringLiteral("size")));
    EXPECT_TRUE(failureText(fields("$png,Logo,1,100,Small"), 4).contains(QStringLiteral("fields")));
    EXPECT_TRUE(failureText({}, 4).contains(QStringLiteral("empty")));
    // More fields than the count needs are allowed.
    EXPECT_TRUE(failureText(fields("Board,1,5000,File 1,extra"), 4).isEmpty());
}

TEST(OtherItems, CompleteTriplesOfTheSecondLine)
{
    const QList<OtherItem> items =
        parseOtherItems(QStringLiteral("Crowd,1000,12,Scoreboard,2000,3.5"));
    ASSERT_EQ(items.size(), 2);
    EXPECT_EQ(items[1].caption, QStringLiteral("Scoreboard"));
    EXPECT_EQ(items[1].position(), 2000);
    EXPECT_EQ(items[1].sizeBytes(), 3584);
    EXPECT_EQ(items[0].sizeBytes(), 12288);
    EXPECT_EQ(parseOtherItems(QStringLiteral("Crowd,1000,12,Half,7")).size(), 1);
    EXPECT_TRUE(parseOtherItems(QString()).isEmpty());
}
