#include "bytes.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

#include <gtest/gtest.h>

namespace {

const QString Pages = QStringLiteral(KESTRIX_SOURCE_DIR "/help/");

} // namespace

TEST(HelpPages, EveryTopicHasAPageAndEveryLinkResolves)
{
    for (int topic : {1, 2, 3, 5, 6, 7, 8, 9, 10, 11, 12, 106, 109, 201, 202, 203, 204, 205, 206})
        EXPECT_TRUE(QFileInfo::exists(Pages + QString::number(topic) + QStringLiteral(".htm")))
            << topic;
    const QStringList pages = QDir(Pages).entryList({QStringLiteral("*.htm")}, QDir::Files);
    ASSERT_TRUE(pages.contains(QStringLiteral("index.htm")));
    const QRegularExpression href(QStringLiteral("href=\"([^\"#]*)(#([^\"]*))?\""));
    int links = 0;
    for (const QString &page : pages) {
        const QString html = QString::fromUtf8(Bytes::readFile(Pages + page));
        EXPECT_TRUE(html.contains(QStringLiteral("<title>"))) << page.toStdString();
        EXPECT_FALSE(html.contains(QStringLiteral("TODO"))) << page.toStdString();
        for (auto it = href.globalMatch(html); it.hasNext();) {
            const QRegularExpressionMatch m = it.next();
            const QString target = m.captured(1).isEmpty() ? page : m.captured(1);
            ++links;
            ASSERT_TRUE(QFileInfo::exists(Pages + target))
                << page.toStdString() << " -> " << target.toStdString();
            if (!m.captured(3).isEmpty()) {
                const QString anchor = QStringLiteral("id=\"") + m.captured(3) + u'"';
                EXPECT_TRUE(Bytes::readFile(Pages + target).contains(anchor.toUtf8()))
                    << page.toStdString() << " -> " << m.captured(0).toStdString();
            }
        }
    }
    EXPECT_GT(links, 40);
}
