#include "refusal.h"

#include "services/numberconversion.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

TEST(NumberConversion, WholeNumbersIgnoreBlanksAndRoundHalvesToEven)
{
    const std::pair<const char *, int> cases[] = {
        {"  5000 ", 5000}, {"-12", -12}, {"+7", 7},     {"2.5", 2},   {"3.5", 4},
        {"-2.5", -2},      {"2.51", 3},  {"1e3", 1000}, {"0042", 42},
    };
    for (const auto &[text, value] : cases)
        EXPECT_EQ(Convert::toInt32(QString::fromLatin1(text)), value) << text;
    EXPECT_EQ(Convert::toInt16(u"32767"_s), 32767);
    EXPECT_EQ(Convert::toByte(u"254.5"_s), 254);
    EXPECT_EQ(Convert::toByte(u"255.4"_s), 255);
}

TEST(NumberConversion, NonNumbersAreTypeMismatchAndRangeIsOverflow)
{
    const auto failure = [](const std::function<void()> &f) {
        FailureNumber number {};
        refusal(f, &number);
        return number;
    };
    for (const char *text :
         {"", "   ", "abc", "12abc", "1,000", ".", "e5", "1e", "inf", "nan", "0x10"})
        EXPECT_EQ(failure([&] { Convert::toInt32(QString::fromLatin1(text)); }),
                  FailureNumber::TypeMismatch)
            << text;
    EXPECT_EQ(failure([] { Convert::toBoolean(u"yes"_s); }), FailureNumber::TypeMismatch);
    for (const auto &convert : std::initializer_list<std::function<void()>> {
             [] { Convert::toInt16(u"32768"_s); }, [] { Convert::toInt32(u"2147483648"_s); },
             [] { Convert::toByte(u"256"_s); }, [] { Convert::toByte(u"-1"_s); },
             [] { Convert::toInt32(u"1e400"_s); }})
        EXPECT_EQ(failure(convert), FailureNumber::Overflow);
}

TEST(NumberConversion, BooleansTakeWordsInAnyCaseOrNumbers)
{
    const std::pair<const char *, bool> cases[] = {
        {"True", true}, {"tRUE", true}, {"False", false}, {"false", false},
        {"0", false},   {"-1", true},   {"0.4", true},
    };
    for (const auto &[text, value] : cases)
        EXPECT_EQ(Convert::toBoolean(QString::fromLatin1(text)), value) << text;
    EXPECT_EQ(Convert::booleanText(true) + Convert::booleanText(false), u"TrueFalse"_s);
}
