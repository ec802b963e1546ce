// The remaining commands: About, running the game's programs, help and the web pages.
#include "frmmain.h"

#include "aboutbox.h"

#include "services/apppath.h"
#include "services/failure.h"
#include "services/fansite.h"
#include "services/fileaccess.h"
#include "services/gamefolder.h"
#include "services/opener.h"
#include "services/prompts.h"
#include "widgets/contexthelp.h"

#include "records/catalogue.h"

#include <QAction>

namespace {

// The catalogue's first line from its third character; empty when it cannot be read.
QString catalogueGreeting()
{
    try {
        return Catalogue::firstLineOf(MainModule::cataloguePath()).mid(2);
    } catch (const Failure &) {
        return QString();
    }
}

} // namespace

QString frmMain::aboutText()
{
    const QString crlf = QStringLiteral("\r\n");
    return tr("Torvane Kestrix Version %1.%2 by the Kestrix developers")
               .arg(KESTRIX_VERSION_MAJOR)
               .arg(KESTRIX_VERSION_MINOR)
        + crlf + catalogueGreeting() + crlf + crlf
        + tr("Visit the Torvane fan site for the latest Torvane news and downloads.")
        + QStringLiteral("  ") + FanSite::hostName();
}

void frmMain::cmdAbout_Click()
{
    // Shown without blocking; it goes when it is closed.
    auto *box = new AboutBox(m_opener, aboutText(), this);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}

void frmMain::mnuEXE_Click(int index)
{
    if (index < 0 || index >= int(mnuEXE.size()))
        return;
    const QString folder = GameFolder::gameFolderOf(m_session.gobPath());
    const QString program =
        folder + (index == 0 ? QStringLiteral("Torvane.exe") : mnuEXE[index]->text());
    m_opener.openProgram(program, folder); // the result is not examined
}

void frmMain::mnuHelp_Click()
{
    m_opener.openUrl(m_helpFile);
}

void frmMain::mnuContextHelp_Click()
{
    ContextHelp::enterMode();
}

void frmMain::mnuWebsite_Click()
{
    m_opener.openUrl(FanSite::page(QStringLiteral("dovrin")));
}

void frmMain::mnuPC_Click()
{
    m_opener.openUrl(FanSite::page());
}
