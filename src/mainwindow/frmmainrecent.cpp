// The File menu's list of the GOB files chosen before.
#include "frmmain.h"

#include "services/prompts.h"

#include <QAction>
#include <QFileInfo>
#include <QMenu>

namespace {

constexpr int RecentCount = 5;
constexpr int RecentTextWidth = 480; // pixels of a path in the menu; longer ones are cut

} // namespace

void frmMain::rememberGobFile(const QString &path)
{
    if (path.isEmpty())
        return;
    m_recent.removeAll(path);
    m_recent.prepend(path);
    while (m_recent.size() > RecentCount)
        m_recent.removeLast();
    fillRecentMenu();
}

void frmMain::fillRecentMenu()
{
    mnuRecent->clear();
    for (qsizetype i = 0; i < m_recent.size(); ++i) {
        const QString shown =
            fontMetrics().elidedText(m_recent.at(i), Qt::ElideMiddle, RecentTextWidth);
        // A "&" of the path is no mnemonic.
        QAction *action = mnuRecent->addAction(
            QStringLiteral("&%1 ").arg(i + 1) + QString(shown).replace(u'&', QStringLiteral("&&")));
        action->setObjectName(QStringLiteral("mnuRecent%1").arg(i + 1));
        action->setToolTip(m_recent.at(i));
        const int index = int(i);
        connect(action, &QAction::triggered, this, [this, index] { mnuRecent_Click(index); });
    }
    mnuRecent->setToolTipsVisible(true);
    mnuRecent->setEnabled(!m_recent.isEmpty());
}

void frmMain::mnuRecent_Click(int index)
{
    if (index < 0 || index >= m_recent.size())
        return;
    const QString path = m_recent.at(index);
    if (!QFileInfo(path).isFile()) {
        m_recent.removeAt(index);
        fillRecentMenu();
        m_prompts.critical(this, Messages::gobFileGone(path));
        return;
    }
    useGobFile(path);
}
