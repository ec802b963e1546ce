#pragma once

#include "recordingopener.h"
#include "scriptedprompts.h"
#include "testhome.h"

#include "mainwindow/frmmain.h"
#include "mainwindow/subfilebutton.h"
#include "services/entrylist.h"
#include "services/settings.h"

#include <QApplication>
#include <QDropEvent>
#include <QMimeData>

#include <gtest/gtest.h>

#include <memory>

// A main window in its own application folder, with scripted prompts and a recording opener.
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
    // GOB path and the automatic transparent preview, and loads the window.
    void startOnHand(const QString &entryLines, const QByteArray &gobBytes,
                     bool autoTransparent = false)
    {
        home.write(QStringLiteral("BmpList.txt"),
                   (QStringLiteral("//Test catalogue\r\n\r\n") + entryLines).toUtf8());
        gob = home.write(QStringLiteral("g_pc.gob"), gobBytes);
        Settings::save(Settings::GobKey, gob);
        Settings::save(Settings::TransparentKey,
                       autoTransparent ? QStringLiteral("True") : QStringLiteral("False"));
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

    TestHome home;
    ScriptedPrompts prompts;
    RecordingOpener opener;
    QString gob;
    std::unique_ptr<frmMain> window;
};
