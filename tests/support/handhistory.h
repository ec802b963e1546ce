#pragma once

#include "handpackage.h"
#include "recordingdisplay.h"
#include "scriptedprompts.h"
#include "testhome.h"

#include "history/gobchange.h"
#include "history/gobhistory.h"
#include "packages/packageimport.h"

#include <QDir>

#include <gtest/gtest.h>

// A GOB file in a test home of its own and the history that packages made by hand build on it.
class HandHistoryTest : public ::testing::Test
{
protected:
    explicit HandHistoryTest(const QByteArray &gobBytes)
        : original(gobBytes)
        , gob(home.write(QStringLiteral("g_pc.gob"), original))
    {
    }

    // Applies a package made by hand (see writeHandPackage) as the user does, answering Yes.
    void apply(const QString &name, const QList<std::pair<qint32, qint32>> &records, int seed = 1,
               const QList<HandZip::Entry> &files = {}, const QString &bats = {},
               const WithoutUndo &withoutUndo = {})
    {
        ASSERT_TRUE(writeHandPackage(home.file(name), records, seed, files));
        prompts.answerMessage(Answer::Yes);
        PackageContext context {prompts, nullptr, display};
        PackageImport::run(
            {home.file(name), gob, home.file(QStringLiteral("KX_Temp")), false, bats, withoutUndo},
            context);
    }

    // The original GOB file again, with no history.
    void startAgain()
    {
        QDir(GobHistory(gob).folder()).removeRecursively();
        home.write(QStringLiteral("g_pc.gob"), original);
    }

    TestHome home;
    ScriptedPrompts prompts;
    RecordingDisplay display;
    QByteArray original;
    QString gob;
};
