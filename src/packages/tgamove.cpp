#include "tgamove.h"

#include "services/apppath.h"
#include "services/blockcopy.h"
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

TgaMove::~TgaMove() = default;

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
    for (const QString &name : std::as_const(m_names)) {
        auto source = FileAccess::openForReading(m_folder + name);
        auto copy = std::make_unique<OutputFile>(m_bats + name);
        BlockCopy::copy(*source, 0, copy->device(), 0, source->size(), BlockCopy::PackageBlock);
        FileAccess::syncToDisk(copy->device());
        m_copies.push_back(std::move(copy));
    }
}

int TgaMove::commit()
{
    if (m_names.isEmpty())
        return NoFiles;
    if (m_bats.isEmpty())
        return NoFolder;
    for (qsizetype i = 0; i < m_names.size(); ++i) {
        m_copies.at(size_t(i))->commit();
        const QString source = m_folder + m_names.at(i), target = m_bats + m_names.at(i);
        if (QFileInfo(target).size() != QFileInfo(source).size())
            throw Failure(FailureNumber::FileAccess,
                          Messages::fileFailure(QStringLiteral("write"),
                                                FileAccess::displayPath(target),
                                                QStringLiteral("the copy differs in length")));
        QFile::remove(source);
    }
    m_copies.clear();
    return Moved;
}
