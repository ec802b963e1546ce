#pragma once

#include "bytes.h"
#include "recordingopener.h"
#include "scriptedprompts.h"
#include "testhome.h"

#include "mainwindow/frmmain.h"
#include "mainwindow/subfilebutton.h"
#include "services/apppath.h"
#include "services/settings.h"
#include "widgets/entrylist.h"
#include "widgets/pictureview.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDropEvent>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QScrollArea>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <QToolTip>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

// A main window in its own application folder, with scripted prompts and a recording opener;
// brings the headers the window tests share.
class MainWindowTest : public ::testing::Test
{
protected:
    // Writes the sample game, stores its GOB path, and loads the window.
    void startOnSample()
    {
        gob = home.writeSampleGame();
        Settings::save(Settings::GobKey, gob);
        ASSERT_TRUE(start());
    }

    // Writes a catalogue of the given entry lines and a GOB file of the given bytes, stores the
    // GOB path with the automatic transparent preview off, and loads the window.
    void startOnHand(const QString &entryLines, const QByteArray &gobBytes,
                     const QString &gobName = QStringLiteral("g_pc.gob"))
    {
        home.write(QStringLiteral("BmpList.txt"),
                   (QStringLiteral("//Test catalogue\r\n\r\n") + entryLines).toUtf8());
        gob = home.write(gobName, gobBytes);
        Settings::save(Settings::GobKey, gob);
        Settings::save(Settings::TransparentKey, QStringLiteral("False"));
        ASSERT_TRUE(start());
    }

    bool start()
    {
        window = std::make_unique<frmMain>(prompts, opener);
        return window->Form_Load();
    }

    // Drags a file onto the window and drops it over a control; true when the drop is taken.
    bool drop(const QString &file, QWidget *onto)
    {
        QMimeData dragged;
        dragged.setUrls({QUrl::fromLocalFile(file)});
        const QPoint at = onto->mapTo(window.get(), QPoint(10, 10));
        QDragEnterEvent enter(at, Qt::CopyAction, &dragged, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(window.get(), &enter);
        QDropEvent dropped(at, Qt::CopyAction, &dragged, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(window.get(), &dropped);
        return dropped.isAccepted();
    }

    // Hands the modal window that open() shows (the first of that kind, when one is given) to
    // check, then closes it; false when none shows.
    bool withModal(const std::function<void()> &open,
                   const std::function<void(QWidget *)> &check = {},
                   const QMetaObject *kind = nullptr)
    {
        QWidget *const before = QApplication::activeModalWidget();
        bool seen = false;
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, [&] {
            QWidget *modal = QApplication::activeModalWidget();
            if (seen || !modal || modal == before || (kind && !modal->metaObject()->inherits(kind)))
                return;
            seen = true;
            poll.stop();
            if (check)
                check(modal);
            modal->close();
        });
        poll.start(10);
        open();
        return QTest::qWaitFor([&] { return seen; }, 1000);
    }

    // The tooltip a list or view shows at a point of its viewport.
    static QString toolTipAt(QAbstractScrollArea *view, QPoint at)
    {
        QHelpEvent tip(QEvent::ToolTip, at, view->viewport()->mapToGlobal(at));
        QApplication::sendEvent(view->viewport(), &tip);
        return QToolTip::text();
    }

    // The labels beside the preview, as "Width : 64|Height : 64|Offset : 4134".
    QString labels() const
    {
        return window->lblWidth->text() + u'|' + window->lblHeight->text() + u'|'
            + window->lblOffset->text();
    }

    // '1' for each state that is on, '0' for each that is off.
    static QString onOff(std::initializer_list<bool> states)
    {
        QString s;
        for (bool on : states)
            s += on ? u'1' : u'0';
        return s;
    }

    // Whether Import and Save As are enabled, as buttons and as File menu items: "1111".
    QString recordCommands() const
    {
        return onOff({window->cmdImport->isEnabled(), window->cmdSaveAs->isEnabled(),
                      window->mnuImport->isEnabled(), window->mnuSaveAs->isEnabled()});
    }

    // Whether the four turns and Transparent of the View menu are enabled: "01111".
    QString viewCommands() const
    {
        return onOff({window->mnuRotate[0]->isEnabled(), window->mnuRotate[1]->isEnabled(),
                      window->mnuRotate[2]->isEnabled(), window->mnuRotate[3]->isEnabled(),
                      window->mnuTransparent->isEnabled()});
    }

    TestHome home;
    ScriptedPrompts prompts;
    RecordingOpener opener;
    QString gob;
    std::unique_ptr<frmMain> window;
};
