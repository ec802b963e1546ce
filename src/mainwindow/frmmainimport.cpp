// Replacing the selected record: the import command and its confirmation.
#include "frmmain.h"

#include "services/errorreport.h"
#include "services/filedialogs.h"
#include "tools/frmconfirm.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLabel>
#include <QStatusBar>

namespace {

// The one round of pending window events before a copy.
void processPendingEvents()
{
    QCoreApplication::processEvents();
}

} // namespace

QList<FileFilter> frmMain::importFilters() const
{
    if (selection().wholeFile) {
        const QString t = selection().entry.typeName();
        return {{tr("%1 File").arg(t), QStringLiteral("*.") + t}};
    }
    // Any picture is converted on import, so the dialog opens on all of them.
    return {{tr("Any Picture"),
             QStringLiteral("*.png;*.bmp;*.tga;*.jpg;*.jpeg;*.gif;*.tif;*.tiff;*.webp")},
            {tr("Bitmap File"), QStringLiteral("*.bmp")},
            {tr("Png File"), QStringLiteral("*.png")}};
}

void frmMain::cmdImport_Click()
{
    // Any failure, and a cancelled dialog, end the command silently.
    if (!m_session.isShown())
        return;
    try {
        importFile(MainModule::ShowOpenDialog(m_prompts, this, importFilters(),
                                              tr("Select the file you want to import")));
    } catch (const Failure &) {
    }
}

void frmMain::importFile(const QString &path)
{
    lblFileName->setText(path);
    if (path.isEmpty() || !m_session.isShown())
        return;
    frmConfirm confirm(m_prompts, m_session.replacePlan(path), this);
    const bool yes = confirm.ConfirmWrite();
    activateWindow(); // the keyboard comes back here, not to the window under the closed one
    if (yes)
        Import(confirm.plan());
}

void frmMain::Import(const ReplacePlan &plan)
{
    try {
        m_session.replace(plan, GobChange::asking(m_prompts, this), processPendingEvents);
    } catch (const Failure &failure) {
        report(failure);
        return;
    }
    statusBar()->showMessage(
        Messages::statusImported(selection().entry.recordName(selection().subFile),
                                 QFileInfo(m_session.gobPath()).fileName()));
    if (plan.wholeFile)
        return; // the preview, read again, says it all
    mnuRotate_Click(0); // unrotated, also while Auto preview transparent is checked
    m_prompts.inform(this, Messages::importedSuccessfully());
}

void frmMain::ImportBMP(const QString &path, bool keepAlpha)
{
    ReplacePlan plan = m_session.replacePlan(path);
    plan.keepAlpha = keepAlpha;
    Import(plan);
}

void frmMain::ImportPNG(const QString &path)
{
    Import(m_session.replacePlan(path));
}
