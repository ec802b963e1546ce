// Replacing the selected record: the import command, ImportBMP and ImportPNG.
#include "frmmain.h"

#include "records/bitmapimport.h"
#include "records/pngimport.h"
#include "services/errorreport.h"
#include "services/filedialogs.h"
#include "services/openfiles.h"
#include "tools/frmconfirm.h"

#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QScopeGuard>

namespace {

// The one round of pending window events before a copy.
void processPendingEvents()
{
    QCoreApplication::processEvents();
}

} // namespace

QList<FileFilter> frmMain::importFilters() const
{
    if (selection.wholeFile) {
        const QString t = selection.entry.typeName();
        return {{t + QStringLiteral(" File"), QStringLiteral("*.") + t}};
    }
    return {{QStringLiteral("Bitmap File"), QStringLiteral("*.bmp")},
            {QStringLiteral("Png File"), QStringLiteral("*.png")},
            {QStringLiteral("Any Picture"),
             QStringLiteral("*.png;*.bmp;*.tga;*.jpg;*.jpeg;*.gif;*.tif;*.tiff;*.webp")}};
}

void frmMain::cmdImport_Click()
{
    // Any failure, and a cancelled dialog, end the command silently.
    if (!selection.hasEntry)
        return;
    try {
        importFile(
            MainModule::ShowOpenDialog(m_prompts, this, importFilters(),
                                       QStringLiteral("Select the file you want to import")));
    } catch (const Failure &) {
    }
}

void frmMain::importFile(const QString &path)
{
    lblFileName->setText(path);
    if (!path.isEmpty()) {
        frmConfirm confirm(*this);
        confirm.ConfirmWrite(lblFileName->text());
    }
}

void frmMain::ImportBMP(const QString &path, bool keepAlpha)
{
    try {
        // The record's width and height are read into the selection state before the checks.
        ImageRecord::Size stored {selection.width, selection.height};
        const auto keepSize = qScopeGuard([&] {
            selection.width = stored.width;
            selection.height = stored.height;
        });
        BitmapImport::Plan plan =
            BitmapImport::check(txtGOBFile->text(), selection.offset, path, &stored);
        plan.description = selection.entry.recordName(selection.subFile);
        plan.withoutUndo = GobChange::asking(m_prompts, this);
        BitmapImport::write(plan, keepAlpha, processPendingEvents);
        MainModule::CloseAllFiles();
    } catch (const Failure &failure) {
        report(failure);
        return;
    }
    showImportedPicture();
}

void frmMain::showImportedPicture()
{
    updateUndoCommand();
    extractSelectedRecord();
    updateRecordCommands();
    mnuRotate_Click(0); // unrotated, also while Auto preview transparent is checked
    m_prompts.inform(this, Messages::importedSuccessfully());
}

void frmMain::ImportPNG(const QString &path)
{
    try {
        PngImport::Plan plan =
            PngImport::check(txtGOBFile->text(), selection.offset, selection.areaSize, path);
        plan.description = selection.entry.recordName(selection.subFile);
        plan.withoutUndo = GobChange::asking(m_prompts, this);
        PngImport::write(plan, processPendingEvents);
        MainModule::CloseAllFiles();
    } catch (const Failure &failure) {
        report(failure);
        return;
    }
    updateUndoCommand();
    extractSelectedRecord();
    updateRecordCommands();
    mnuRotate_Click(0); // also refreshes the width and height from the new picture
}
