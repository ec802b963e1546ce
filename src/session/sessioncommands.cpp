// The GOB session's commands that write into the GOB file: a record replaced by a file, a
// folder of pictures, a package, undo and redo.
#include "gobsession.h"

#include "history/gobhistory.h"
#include "records/bitmapimport.h"
#include "records/pngimport.h"
#include "services/failure.h"
#include "services/gamefolder.h"
#include "services/openfiles.h"

#include <QScopeGuard>

ReplacePlan GobSession::replacePlan(const QString &file) const
{
    ReplacePlan plan;
    plan.file = file;
    plan.gobPath = m_gobPath;
    plan.offset = m_selection.offset;
    plan.wholeFile = m_selection.wholeFile;
    return plan;
}

void GobSession::replace(ReplacePlan plan, const WithoutUndo &withoutUndo,
                         const std::function<void()> &pendingEvents)
{
    if (!m_shown)
        return;
    const QString name = m_selection.entry.recordName(m_selection.subFile);
    m_writing = true;
    {
        const auto written = qScopeGuard([this] {
            MainModule::CloseAllFiles();
            m_writing = false;
        });
        if (plan.picture) {
            plan.picture->name = name;
            plan.picture->withoutUndo = withoutUndo;
            PictureImport::write(*plan.picture, pendingEvents);
        } else if (plan.wholeFile) {
            PngImport::Plan png =
                PngImport::check(m_gobPath, m_selection.offset, m_selection.areaSize, plan.file);
            png.description = name;
            png.withoutUndo = withoutUndo;
            PngImport::write(png, pendingEvents);
        } else {
            BitmapImport::Plan bitmap =
                BitmapImport::check(m_gobPath, m_selection.offset, plan.file);
            bitmap.description = name;
            bitmap.withoutUndo = withoutUndo;
            BitmapImport::write(bitmap, plan.keepAlpha, pendingEvents);
        }
    }
    afterWrite();
}

FolderImport::Plan GobSession::checkFolder(const QString &folder, int thumbnailSide) const
{
    return FolderImport::check(cataloguePath(), m_gobPath, folder, thumbnailSide);
}

void GobSession::importFolder(FolderImport::Plan plan, const WithoutUndo &withoutUndo,
                              const std::function<void()> &pendingEvents)
{
    plan.gobPath = m_gobPath;
    plan.withoutUndo = withoutUndo;
    m_writing = true;
    {
        const auto written = qScopeGuard([this] {
            MainModule::CloseAllFiles();
            m_writing = false;
        });
        FolderImport::write(plan, pendingEvents);
    }
    afterWrite();
}

ImportOutcome GobSession::importPackage(ImportRequest request, PackageContext &context)
{
    request.gobPath = m_gobPath;
    if (request.batsFolder.isEmpty())
        request.batsFolder = GameFolder::batsFolderOf(m_gobPath);
    ImportOutcome outcome;
    // Some of the package may be in before a failure.
    writeThrough([&] { outcome = PackageImport::run(request, context); });
    return outcome;
}

QList<ChangeFile> GobSession::undo()
{
    return undoTo(0);
}

QList<ChangeFile> GobSession::undoTo(int number)
{
    if (!hasGobFile())
        return {};
    QList<ChangeFile> undone;
    writeThrough([&] {
        GobHistory history(m_gobPath);
        undone = number < 1 ? history.undo() : history.undo(number - 1);
    });
    return undone;
}

std::optional<ChangeFile> GobSession::redo()
{
    if (!hasGobFile())
        return std::nullopt;
    std::optional<ChangeFile> redone;
    writeThrough([&] { redone = GobHistory(m_gobPath).redo(); });
    return redone;
}

void GobSession::writeThrough(const std::function<void()> &command)
{
    m_writing = true;
    try {
        command();
    } catch (const Failure &) {
        // The failure of the command is the one to tell.
        try {
            afterWrite();
        } catch (const Failure &) {
        }
        throw;
    }
    afterWrite();
}
