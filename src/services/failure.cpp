#include "failure.h"

Failure::Failure(FailureNumber number, QString description, QString source)
    : m_number(number)
    , m_description(std::move(description))
    , m_source(std::move(source))
    , m_what(m_description.toUtf8())
{
}

Failure Failure::cancelled()
{
    return Failure(FailureNumber::Cancelled, QString());
}
