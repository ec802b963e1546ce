#include "gobsession.h"

#include "services/failure.h"

PackageRemoval::Outcome GobSession::removePackage(const QString &what)
{
    if (!hasGobFile())
        return {};
    PackageRemoval::Outcome outcome;
    writeThrough([&] { outcome = PackageRemoval::remove(m_gobPath, what); });
    return outcome;
}
