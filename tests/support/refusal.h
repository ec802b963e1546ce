#pragma once

#include "textprinter.h"

#include "services/failure.h"

#include <QString>

#include <functional>

// The description of the Failure that f throws (its number into number when given), or an
// empty text when it throws none.
inline QString refusal(const std::function<void()> &f, FailureNumber *number = nullptr)
{
    try {
        f();
    } catch (const Failure &failure) {
        if (number)
            *number = failure.number();
        return failure.description();
    }
    return QString();
}
