// Every text a window shows goes through translation. A translator that marks each text it is
// asked for is installed before the windows are made; every text they then show must be marked,
// except data: numbers, and the names and contents of the test's own files.
#include "handpackage.h"
#include "mainwindowfixture.h"

#include "mainwindow/aboutbox.h"
#include "services/messages.h"
#include "tools/frminstalledpackages.h"
#include "tools/frmpackagepreview.h"
#include "tools/frmtransparent.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QDirIterator>
#include <QRegularExpression>
#include <QTranslator>

#include <functional>
#include <optional>

using namespace Qt::StringLiterals;

namespace {

constexpr QChar Open = u'\u27e6';
constexpr QChar Close = u'\u27e7';

class MarkingTranslator : public QTranslator
{
public:
    bool isEmpty() const override { return false; }
    QString translate(const char *, const char *source, const char *, int) const override
    {
        return Open + QString::fromUtf8(source) + Close;
    }
};

// The visible texts that escaped translation, each as "object: text".
class Escapes
{
public:
    // The data of the test: every path and name under its folder and every field of its
    // catalogue (its greeting without the slashes), longest first so that a path goes before
    // the names in it.
    explicit Escapes(const TestHome &home)
    {
        m_data << home.path();
        for (QDirIterator it(home.path(), QDirIterator::Subdirectories); it.hasNext();)
            m_data << it.next().section(u'/', -1);
        for (const QString &line : QString::fromUtf8(Bytes::readFile(home.file(u"BmpList.txt"_s)))
                                       .split(QRegularExpression(u"[\r\n]+"_s)))
            m_data << line.split(QRegularExpression(u"[,/]"_s));
        for (QString &data : m_data)
            data = withoutNames(data);
        std::sort(m_data.begin(), m_data.end(),
                  [](const QString &a, const QString &b) { return a.size() > b.size(); });
    }

    void check(const QObject *object, const QString &text)
    {
        // What lies between the marks went through translation; markup is no text, nor are
        // the test's data and file and host names.
        const QString plain = QString(text).remove(QRegularExpression(u"<[^>]*>|&#?\\w+;"_s));
        QString rest;
        int depth = 0;
        for (const QChar c : plain) {
            depth += c == Open ? 1 : c == Close ? -1 : 0;
            rest += depth || c == Close ? u' ' : c;
        }
        rest = withoutNames(rest);
        for (const QString &data : m_data)
            if (!data.isEmpty())
                rest.replace(data, u" "_s);
        if (std::any_of(rest.begin(), rest.end(), [](QChar c) { return c.isLetter(); }))
            found << object->objectName() + u": "_s + text;
    }

    // The window's title, and the captions, titles, tips and headers of its widgets and actions;
    // the cells of its lists are data.
    void window(const QWidget *window)
    {
        check(window, window->windowTitle());
        QList<const QWidget *> widgets {window};
        for (const QWidget *w : window->findChildren<QWidget *>())
            widgets << w;
        for (const QWidget *w : widgets) {
            // What a line edit holds is the user's or the data's.
            const bool edit = qobject_cast<const QLineEdit *>(w);
            for (const char *property : {"toolTip", "whatsThis", "statusTip", "title",
                                         "placeholderText", edit ? "" : "text"})
                check(w, w->property(property).toString());
            if (const auto *bar = qobject_cast<const QStatusBar *>(w))
                check(w, bar->currentMessage());
            if (const auto *combo = qobject_cast<const QComboBox *>(w))
                for (int i = 0; i < combo->count(); ++i)
                    check(w, combo->itemText(i));
            if (const auto *view = qobject_cast<const QAbstractItemView *>(w);
                view && view->model())
                for (int i = 0; i < view->model()->columnCount(); ++i)
                    check(w, view->model()->headerData(i, Qt::Horizontal).toString());
            for (const QAction *a : w->actions())
                for (const QString &text :
                     {a->text(), a->toolTip(), a->whatsThis(), a->statusTip()})
                    check(a, text);
        }
    }

    QStringList found;

private:
    static QString withoutNames(QString text)
    {
        return text.remove(QRegularExpression(u"[\\w-]+(\\.[\\w-]+)+"_s));
    }

    QStringList m_data;
};

class TranslationTest : public MainWindowTest
{
protected:
    void SetUp() override { QCoreApplication::installTranslator(&marker); }
    void TearDown() override { QCoreApplication::removeTranslator(&marker); }

    // Walks the modal window that the keys or the click open, then closes it.
    void walkModal(const std::function<void()> &open,
                   const std::function<void(QWidget *)> &inside = {},
                   const QMetaObject *kind = nullptr)
    {
        EXPECT_TRUE(withModal(
            open,
            [&](QWidget *modal) {
                escapes->window(modal);
                if (inside)
                    inside(modal);
            },
            kind));
    }

    // Chooses an item of the menu bar by its mnemonics, as the keyboard does.
    void menuKeys(Qt::Key menu, Qt::Key item)
    {
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        QTest::keyClick(window.get(), menu, Qt::AltModifier);
        ASSERT_TRUE(QTest::qWaitFor([] { return QApplication::activePopupWidget(); }));
        QTest::keyClick(QApplication::activePopupWidget(), item);
    }

    MarkingTranslator marker;
    std::optional<Escapes> escapes;
};

} // namespace

TEST_F(TranslationTest, NoVisibleTextOfAWindowEscapesTranslation)
{
    startOnSample();
    escapes.emplace(home);
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    QTest::keyClick(window->lstItem, Qt::Key_Down); // a record shown, its sub files and details
    escapes->window(window.get());

    QTest::mouseClick(window->cmdAbout, Qt::LeftButton);
    auto *about = window->findChild<AboutBox *>();
    ASSERT_NE(about, nullptr);
    escapes->window(about);
    about->close();

    menuKeys(Qt::Key_T, Qt::Key_F);
    ASSERT_TRUE(QTest::qWaitFor([this] { return window->paletteEditor(); }));
    escapes->window(window->paletteEditor());
    window->paletteEditor()->close();

    // The confirmation of a picture, left with Cancel.
    QImage picture(64, 64, QImage::Format_RGB32);
    picture.fill(qRgb(200, 30, 90));
    ASSERT_TRUE(picture.save(home.file(u"picture.png"_s)));
    prompts.answerOpen(home.file(u"picture.png"_s));
    walkModal([this] { QTest::mouseClick(window->cmdImport, Qt::LeftButton); });

    for (const auto &keys :
         {std::pair {Qt::Key_E, Qt::Key_H}, {Qt::Key_T, Qt::Key_M}, {Qt::Key_T, Qt::Key_B}})
        walkModal([this, keys] { menuKeys(keys.first, keys.second); });

    // Installed Packages, and the preview of a package from there; its item is named as the
    // catalogue names the sample's ball.
    ASSERT_TRUE(HandZip::write(home.file(u"p.zip"_s),
                               {{u"install.data"_s, installRecords({{5000, 10}})},
                                {u"file.data"_s, Bytes::pattern(10, 3)},
                                {u"Replaced Files.txt"_s, "\"Ball\"\r\n"}}));
    walkModal([this] { menuKeys(Qt::Key_E, Qt::Key_P); },
              [this](QWidget *installed) {
                  prompts.answerOpen(home.file(u"p.zip"_s));
                  walkModal([installed] {
                      QTest::mouseClick(static_cast<frmInstalledPackages *>(installed)->cmdPreview,
                                        Qt::LeftButton);
                  });
              });

    // Import as Zip: its preview applied, then the replace question answered No.
    prompts.answerOpen(home.file(u"p.zip"_s));
    prompts.answerMessage(Answer::No);
    walkModal([this] { QTest::mouseClick(window->cmdImportZip, Qt::LeftButton); },
              [](QWidget *preview) {
                  QTest::mouseClick(static_cast<frmPackagePreview *>(preview)->cmdApply,
                                    Qt::LeftButton);
              },
              &frmPackagePreview::staticMetaObject);
    ASSERT_EQ(prompts.last().title, Messages::replaceQuestionTitle());

    // Export All, then Import Folder on a changed picture, left with No.
    prompts.answerFolder(home.file(u"out"_s));
    window->mnuExportAll->trigger();
    QString png;
    for (QDirIterator it(home.file(u"out"_s), {u"*.png"_s}); png.isEmpty() && it.hasNext();)
        if (const QString name = it.next(); QImage(name).format() == QImage::Format_Indexed8)
            png = name;
    QImage changed(png);
    changed.setPixel(0, 0, (changed.pixelIndex(0, 0) + 1) % 256);
    ASSERT_TRUE(changed.save(png));
    prompts.answerOpen(home.file(u"out/kestrix-export.tsv"_s));
    walkModal([this] { window->mnuImportFolder->trigger(); });

    for (const auto &shown : prompts.shown) {
        escapes->check(window.get(), shown.title);
        escapes->check(window.get(), shown.text);
    }
    EXPECT_EQ(escapes->found, QStringList());
}
