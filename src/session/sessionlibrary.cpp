#include "gobsession.h"

#include "services/failure.h"

PackageRemoval::Outcome GobSession::removePackage(const QString &what)
{
    if (!hasGobFile())
        return {};
    m_writing = true;
    PackageRemoval::Outcome outcome;
    try {
        outcome = PackageRemoval::remove(m_gobPath, what);
    } catch (const Failure &) {
        afterFailedWrite();
        throw;
    }
    afterWrite();
    return outcome;
}
