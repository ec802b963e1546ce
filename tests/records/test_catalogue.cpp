#include "refusal.h"
#include "testhome.h"

#include "records/catalogue.h"
#include "records/catalogueentry.h"
#include "records/otheritems.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

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

CatalogueEntry parse(const char *line)
{
    return CatalogueEntry::parse(QString::fromUtf8(line), 3, {});
}

// An entry as one line of text: type, description, then offset, caption and area of each sub file.
QString described(const CatalogueEntry &e)
{
    QStringList parts = {e.isWholeFile() ? u"$"_s + e.typeName() : u"bmp"_s, e.description()};
    for (int i = 1; i <= e.count(); ++i)
        parts << u"%1 [%2] %3"_s.arg(e.subFile(i).offset)
                     .arg(e.subFile(i).caption)
                     .arg(e.subFile(i).areaSize);
    return parts.join(u'|');
}

// The entry lines as a listing reads them, a block at a time.
QStringList streamed(const QString &path)
{
    QStringList lines;
    Catalogue::forEachEntryLine(path, [&](int k, QStringView line) {
        EXPECT_EQ(k, lines.size());
        lines << line.toString();
    });
    return lines;
}

} // namespace

TEST(Catalogue, TextAsWindowsEditorsSaveIt)
{
    TestHome home;
    const std::u16string_view lines = u"h\u03A9\r\nh2\r\nA\nB,1,1,x\r\u03A9mega \u20AC,1,1,y";
    const QStringList utf16Texts = {u"A\nB"_s, u"\u03A9mega \u20AC"_s};
    const struct
    {
        QByteArray bytes;
        QString first;
        QStringList texts;
    } cases[] = {
        // Windows-1252: 0x92 is U+2019, 0x96 U+2013, 0x80 U+20AC, 0x85 U+2026, 0xE9 U+00E9.
        {"h\xe9\r\nh2\r\nTeam\x92s kit \x96 \x80"
         "5\x85,1,1,x\r\nCaf\xe9,1,1,x",
         u"h\u00E9"_s,
         {u"Team\u2019s kit \u2013 \u20AC5\u2026"_s, u"Caf\u00E9"_s}},
        // UTF-8 with its byte-order mark, which is no part of the first line.
        {"\xef\xbb\xbfh\xce\xa9\r\nh2\r\nCaf\xc3\xa9,1,1,x", u"h\u03A9"_s, {u"Caf\u00E9"_s}},
        // UTF-16 in both byte orders: a lone LF still belongs to its line.
        {utf16(lines, false), u"h\u03A9"_s, utf16Texts},
        {utf16(lines, true), u"h\u03A9"_s, utf16Texts},
        // A character, or a CR LF, cut by the 256 KiB blocks a listing reads; a byte that is
        // no UTF-8 far past the first block makes the whole file Windows-1252.
        {"h\xce\xa9\r\nh2\r\n" + QByteArray(262134, 'A') + "\xc3\xa9,1,1,x",
         u"h\u03A9"_s,
         {QString(262134, u'A') + u"\u00E9"_s}},
        {"h\xce\xa9\r\nh2\r\nB,1,1,x\r\n" + QByteArray(262125, 'A') + "\r\nC\xc3\xa9,1,1,x",
         u"h\u03A9"_s,
         {u"B"_s, QString(262125, u'A'), u"C\u00E9"_s}},
        {"h\xce\xa9\r\nh2\r\n" + QByteArray(300000, 'A') + "\xe9,1,1,x",
         u"h\u00CE\u00A9"_s,
         {QString(300000, u'A') + u"\u00E9"_s}},
    };
    for (const auto &[bytes, first, texts] : cases) {
        const QString path = home.write(u"BmpList.txt"_s, bytes);
        EXPECT_EQ(Catalogue::firstLineOf(path), first);
        EXPECT_EQ(Catalogue::read(path).displayTexts(), texts);
        EXPECT_EQ(Catalogue::readEntryLine(path, 0).section(u',', 0, 0), texts[0]);
        QStringList fieldOnes;
        for (const QString &line : streamed(path))
            fieldOnes << line.section(u',', 0, 0);
        EXPECT_EQ(fieldOnes, texts);
    }
}

// The two header lines are skipped whatever they hold; CR LF and a lone CR end a line, a lone LF
// belongs to it and the last line end makes no line of its own; one entry line is cut as the
// whole file is, and a missing or empty line names the file and the line.
TEST(Catalogue, EntryLinesAfterTheTwoHeaderLines)
{
    TestHome home;
    const QString path = home.write(u"BmpList.txt"_s,
                                    "Stadium board,1,5000,File 1\r\n$png,Logo,1,9,x,1\r"
                                    "A,1,1,x\r\n\r\nB\nC,1,2,y\r$png,D,1,3,z,1\r\n");
    const Catalogue catalogue = Catalogue::read(path);
    EXPECT_EQ(catalogue.firstLine(), u"Stadium board,1,5000,File 1"_s);
    EXPECT_EQ(catalogue.entryCount(), 4);
    EXPECT_EQ(Catalogue::lineNumberOfEntry(1), 4);
    const QStringList lines = {u"A,1,1,x"_s, {}, u"B\nC,1,2,y"_s, u"$png,D,1,3,z,1"_s};
    for (int k = 0; k < 4; ++k) {
        EXPECT_EQ(catalogue.entryLine(k), lines[k]);
        EXPECT_EQ(Catalogue::readEntryLine(path, k), lines[k]);
    }
    EXPECT_EQ(streamed(path), lines);
    EXPECT_EQ(refusal([&] { catalogue.displayTexts(); }), path + u" line 4 is empty."_s);
    const QString beyond = refusal([&] { Catalogue::readEntryLine(path, 4); });
    EXPECT_FALSE(beyond.isEmpty());
    EXPECT_EQ(beyond, refusal([&] { catalogue.entryLine(4); }));

    // The end of the file ends a last line without a CR, a lone LF there still its own.
    const QString lone = home.write(u"Lone.txt"_s, "h1\r\nh2\r\n$png\n");
    EXPECT_EQ(Catalogue::read(lone).entryLine(0), u"$png\n"_s);
    EXPECT_FALSE(refusal([&] { Catalogue::read(lone).displayTexts(); }).isEmpty());
    const QString one = home.write(u"One.txt"_s, "only one header line");
    const QString lf = home.write(u"Lf.txt"_s, "h1\nh2\nKit,1,5,a\n");
    for (const QString &path : {one, lf, home.file(u"None.txt"_s)}) {
        const QString text = refusal([&] { Catalogue::read(path); });
        EXPECT_FALSE(text.isEmpty());
        EXPECT_EQ(refusal([&] { Catalogue::readEntryLine(path, 0); }), text);
        EXPECT_EQ(refusal([&] { streamed(path); }), text);
    }
    EXPECT_TRUE(refusal([&] { Catalogue::read(lf); }).contains(u"end in LF alone"_s));
}

// Blanks stay in texts but not in numbers; a "$" later in the first field makes no whole-file
// entry; kilobytes may have fractions, a half byte going to the even neighbour.
TEST(CatalogueEntry, LinesGiveTheirSubFilesAndMalformedOnesAreRefused)
{
    EXPECT_EQ(described(parse("$png,Team logo,2,1000,Small,12,2000,Large,3.5")),
              u"$png|Team logo|1000 [Small] 12288|2000 [Large] 3584"_s);
    EXPECT_EQ(described(parse("Stadium board, 2 , 5000 , File 1,  6000, Back")),
              u"bmp|Stadium board|5000 [ File 1] 0|6000 [ Back] 0"_s);
    EXPECT_EQ(described(parse("Kit$,1,5,a,extra")), u"bmp|Kit$|5 [a] 0"_s);
    EXPECT_EQ(CatalogueEntry::kilobytesToBytes(u"0.00048828125"_s), 0);
    EXPECT_EQ(CatalogueEntry::kilobytesToBytes(u"0.00146484375"_s), 2);

    // Malformed lines name the line and the value.
    const std::pair<const char *, const char *> cases[] = {
        {"Board,two,5000,File 1",
         "BmpList.txt line 7: the number of sub files \"two\" is not a whole number from 1 to "
         "32767."},
        {"Board,2,5000,File 1,6000",
         "BmpList.txt line 7: 2 sub files need 6 fields, the line has 5."},
        {"Board,0", "\"0\""},
        {"Board,-3,1,a", "line 7"},
        {"Stand, North,1,500,a", "North"}, // a comma in the description shifts the fields
        {"Board,1,50x0,File 1", "\"50x0\""},
        {"Board,1,0,File 1", "offset"},
        {"$png,Logo,1,100,Small,big", "\"big\""},
        {"$png,Logo,1,100,Small,-1", "size"},
        {"$png,Logo,1,100,Small", "fields"},
        {"", "empty"},
    };
    for (const auto &[line, says] : cases) {
        const QString entryLine = QString::fromUtf8(line);
        const QString text =
            refusal([&] { CatalogueEntry::parse(entryLine, 7, u"BmpList.txt"_s); });
        EXPECT_TRUE(text.contains(QString::fromUtf8(says))) << line << ": " << text.toStdString();
    }
}

TEST(OtherItems, CompleteTriplesOfTheSecondLine)
{
    const QList<OtherItem> items = parseOtherItems(u"Crowd,1000,12,Scoreboard,2000,3.5,Half,7"_s);
    ASSERT_EQ(items.size(), 2);
    EXPECT_EQ(std::tuple(items[1].caption, items[1].position(), items[1].sizeBytes()),
              std::tuple(u"Scoreboard"_s, 2000, 3584));
    EXPECT_EQ(items[0].sizeBytes(), 12288);
    EXPECT_TRUE(parseOtherItems(QString()).isEmpty());
}
