#include "tgamove.h"

#include "services/apppath.h"
#include "services/failure.h"
#include "services/fileaccess.h"
#include "services/fileidentity.h"
#include "services/messages.h"

#include <QDir>
#include <QFileInfo>

#include <cerrno>
#include <cstring>

TgaMove::TgaMove(const QString &folder, const QString &batsFolder, const QStringList &inputs)
    : m_folder(MainModule::withTrailingSlash(folder))
    , m_bats(batsFolder.isEmpty() ? QString() : MainModule::withTrailingSlash(batsFolder))
{
    QDir source(folder);
    source.setNameFilters({QStringLiteral("*.tga")}); // name filters ignore letter case
    source.setFilter(QDir::Files | QDir::Hidden);
    source.setSorting(QDir::Name);
    m_names = source.entryList();
    if (m_bats.isEmpty())
        return;
    for (const QString &name : std::as_const(m_names)) {
        FileIdentity::refuseInputs(m_bats + name, inputs);
        if (QFileInfo::exists(m_bats + name))
            m_replaced << m_bats + name;
    }
}

QList<std::pair<QString, QString>> TgaMove::moves() const
{
    QList<std::pair<QString, QString>> list;
    if (!m_bats.isEmpty())
        for (const QString &name : m_names)
            list.append({m_bats + name, m_folder + name});
    return list;
}

void TgaMove::prepare()
{
    if (m_names.isEmpty() || m_bats.isEmpty())
        return;
    errno = 0;
    if (!QDir().mkpath(m_bats))
        throw Failure(FailureNumber::FileAccess,
                      Messages::fileFailure(QStringLiteral("create the folder"),
                                            FileAccess::displayPath(m_bats),
                                            QString::fromLocal8Bit(std::strerror(errno))));
}

int TgaMove::commit()
{
    if (m_names.isEmpty())
        return NoFiles;
    if (m_bats.isEmpty())
        return NoFolder;
    for (const QString &name : std::as_const(m_names))
        QFile::remove(m_folder + name);
    return Moved;
}
