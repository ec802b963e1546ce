#include "services/failure.h"
#include "services/numberconversion.h"

#include <gtest/gtest.h>

namespace {

int failureOf(const std::function<void()> &f)
{
    try {
        f();
    } catch (const Failure &failure) {
        return failure.number();
    }
    return 0;
}

} // namespace

TEST(NumberConversion, WholeNumbersIgnoreBlanksAndRoundHalvesToEven)
{
    EXPECT_EQ(Convert::toInt32(QStringLiteral("  5000 ")), 5000);
    EXPECT_EQ(Convert::toInt32(QStringLiteral("-12")), -12);
    EXPECT_EQ(Convert::toInt32(QStringLiteral("+7")), 7);
    EXPECT_EQ(Convert::toInt32(QStringLiteral("2.5")), 2);
    EXPECT_EQ(Convert::toInt32(QStringLiteral("3.5")), 4);
    EXPECT_EQ(Convert::toInt32(QStringLiteral("-2.5")), -2);
    EXPECT_EQ(Convert::toInt32(QStringLiteral("2.51")), 3);
    EXPECT_EQ(Convert::toInt32(QStringLiteral("1e3")), 1000);
    EXPECT_EQ(Convert::toInt16(QStringLiteral("32767")), 32767);
    EXPECT_EQ(Convert::toByte(QStringLiteral("254.5")), 254);
    EXPECT_EQ(Convert::toByte(QStringLiteral("255.4")), 255);
}

TEST(NumberConversion, NonNumbersAreTypeMismatchAndRangeIsOverflow)
{
    for (const char *text :
         {"", "   ", "abc", "12abc", "1,000", ".", "e5", "1e", "inf", "nan", "0x10"})
        EXPECT_EQ(failureOf([&] { Convert::toInt32(QString::fromLatin1(text)); }),
                  FailureNumber::TypeMismatch)
            << text;
    EXPECT_EQ(failureOf([] { Convert::toInt16(QStringLiteral("32768")); }),
              FailureNumber::Overflow);
    EXPECT_EQ(failureOf([] { Convert::toInt32(QStringLiteral("2147483648")); }),
              FailureNumber::Overflow);
    EXPECT_EQ(failureOf([] { Convert::toByte(QStringLiteral("256")); }), FailureNumber::Overflow);
    EXPECT_EQ(failureOf([] { Convert::toByte(QStringLiteral("-1")); }), FailureNumber::Overflow);
    EXPECT_EQ(failureOf([] { Convert::toInt32(QStringLiteral("1e400")); }),
              FailureNumber::Overflow);
}

TEST(NumberConversion, BooleansTakeWordsInAnyCaseOrNumbers)
{
    EXPECT_TRUE(Convert::toBoolean(QStringLiteral("True")));
    EXPECT_TRUE(Convert::toBoolean(QStringLiteral("tRUE")));
    EXPECT_FALSE(Convert::toBoolean(QStringLiteral("False")));
    EXPECT_FALSE(Convert::toBoolean(QStringLiteral("false")));
    EXPECT_FALSE(Convert::toBoolean(QStringLiteral("0")));
    EXPECT_TRUE(Convert::toBoolean(QStringLiteral("-1")));
    EXPECT_TRUE(Convert::toBoolean(QStringLiteral("0.4"))); // a non-zero number
    EXPECT_EQ(failureOf([] { Convert::toBoolean(QStringLiteral("yes")); }),
              FailureNumber::TypeMismatch);
    EXPECT_EQ(Convert::booleanText(true), QStringLiteral("True"));
    EXPECT_EQ(Convert::booleanText(false), QStringLiteral("False"));
}
