#pragma once

#include "services/failure.h"

// A failure of the zip or the unzip service: the problem, with the service's result number
// that the messages show beside it (libzip's error number; an unzip result of UnzipResult).
class ZipFailure : public Failure
{
public:
    ZipFailure(int result, const QString &problem)
        : Failure(FailureNumber::FileAccess, problem)
        , m_result(result)
    {
    }

    int result() const { return m_result; }

private:
    int m_result;
};
