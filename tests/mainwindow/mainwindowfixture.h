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

#include <gtest/gtest.h>

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

    // The labels beside the preview, as "Width : 64|Height : 64|Offset : 4134".
    QString labels() const
    {
        return window->lblWidth->text() + u'|' + window->lblHeight->text() + u'|'
            + window->lblOffset->text();
    }

    // Whether Import and Save As are enabled, as buttons and as File menu items: "1111".
    QString recordCommands() const
    {
        QString s;
        for (bool on : {window->cmdImport->isEnabled(), window->cmdSaveAs->isEnabled(),
                        window->mnuImport->isEnabled(), window->mnuSaveAs->isEnabled()})
            s += on ? u'1' : u'0';
        return s;
    }

    // Whether the four turns and Transparent of the View menu are enabled: "01111".
    QString viewCommands() const
    {
        QString s;
        for (const QAction *a : {window->mnuRotate[0], window->mnuRotate[1], window->mnuRotate[2],
                                 window->mnuRotate[3], window->mnuTransparent})
            s += a->isEnabled() ? u'1' : u'0';
        return s;
    }

    TestHome home;
    ScriptedPrompts prompts;
    RecordingOpener opener;
    QString gob;
    std::unique_ptr<frmMain> window;
};
