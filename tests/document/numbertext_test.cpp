#include "document/numbertext.h"
#include "support/documenttests.h"

#include <cfloat>
#include <cmath>
#include <limits>

using namespace Orlenda;

namespace {
double val(const char* text) {
    return leadingNumber(QString::fromUtf8(text));
}
} // namespace

TEST(LeadingNumber, ReadsTheLongestLeadingNumberAndSaturatesOrVanishesWithItsSign) {
    // Blanks inside the number are skipped, but a carriage return ends it;
    // exponents take E or D; hexadecimal and octal are read as 16-bit words.
    // Above the double range reads as its limit, below it as a zero of the
    // same sign; denormal magnitudes stay.
    const std::string nines(400, '9');
    const std::pair<std::string, double> cases[] = {
        {"12abc", 12},       {"  -730.4", -730.4},  {"+5", 5},           {".5", 0.5},
        {"-.5", -0.5},       {"1.2.3", 1.2},        {"1.50", 1.5},       {"--5", 0},
        {"abc", 0},          {"", 0},               {"-", 0},            {"1 2", 12},
        {"1\t2\n3", 123},    {"- 1 . 5", -1.5},     {"1\r2", 1},         {"1E3", 1000},
        {"1d2", 100},        {"2.5e-1", 0.25},      {"1E", 1},           {"1E+", 1},
        {"1Ex", 1},          {"&H10", 16},          {"&hff", 255},       {"&HFFFF", -1},
        {"&H8000", -32768},  {"&H10000", 65536},    {"&O17", 15},        {"&O8", 0},
        {"&H", 0},           {"&X12", 0},           {"1E400", DBL_MAX},  {"1D400", DBL_MAX},
        {"+1E400", DBL_MAX}, {"1000E306", DBL_MAX}, {"0.01E310", 1e308}, {"1E-400", 0},
        {"-1E-400", -0.0},   {"2E-324", 0},         {"-0", -0.0},        {"+-5", 0},
        {"-0.0001E-321", -0.0},  {"4.9E-324", 4.9e-324},  {"- 1 E 4 0 0", -DBL_MAX},
        {nines, DBL_MAX},        {"-" + nines, -DBL_MAX}, {"0." + std::string(400, '0') + "1", 0},
        {"1E99999999999999999999", DBL_MAX}};
    for (const auto& [text, value] : cases) {
        EXPECT_EQ(val(text.c_str()), value) << text;
        EXPECT_EQ(std::signbit(val(text.c_str())), std::signbit(value)) << text;
    }
}

TEST(IntegerConversion, HalvesGoToTheEvenNeighbourAndOverflowOutsideTheRange) {
    const std::pair<double, int> cases[] = {{2.5, 2}, {3.5, 4}, {-2.5, -2},
                                            {0.5, 0}, {1.5, 2}, {2.500001, 3}};
    for (const auto& [value, rounded] : cases)
        EXPECT_EQ(roundHalfEven(value), rounded) << value;
    EXPECT_EQ(toInt16(-730.4), -730);
    EXPECT_EQ(toInt16(32767.4), 32767);
    EXPECT_EQ(toInt16(-32768.5), -32768); // rounds to the even -32768
    EXPECT_EQ(failureOf([] { toInt16(32767.5); }), Failure::Overflow);
    EXPECT_EQ(failureOf([] { toInt16(-32769); }), Failure::Overflow);
    EXPECT_EQ(failureOf([] { toInt16(std::nan("")); }), Failure::Overflow);
    EXPECT_EQ(failureOf([] { toInt32(2147483648.0); }), Failure::Overflow);
    EXPECT_EQ(toInt16Clamped(1e9), 32767);
    EXPECT_EQ(toInt16Clamped(-1e9), -32768);
    EXPECT_EQ(failureOf([] { toFloat(1e39); }), Failure::Overflow);
    EXPECT_EQ(toFloat(1e-50), 0.0f);
}

TEST(StrictNumber, TheWholeTextMustBeANumber) {
    const std::pair<const char16_t*, int> values[] = {
        {u" 12 ", 12}, {u"-1", -1}, {u"2.5", 2}, {u"&H10", 16}};
    for (const auto& [text, expected] : values) {
        std::int16_t value = 0;
        EXPECT_FALSE(tryStrictInt16(text, value));
        EXPECT_EQ(value, expected);
    }
    const std::pair<const char16_t*, Failure> failures[] = {
        {u"12abc", Failure::TypeMismatch}, {u"", Failure::TypeMismatch},
        {u"1 2", Failure::TypeMismatch},   {u"1E", Failure::TypeMismatch},
        {u"40000", Failure::Overflow},     {u"-1E-400", Failure::Unexpected}};
    for (const auto& [text, kind] : failures) {
        std::int16_t value = 0;
        EXPECT_EQ(tryStrictInt16(text, value).value_or(Failure::Unexpected), kind);
    }
    EXPECT_EQ(failureOf([] { strictNumber(u"1E400"); }), Failure::Overflow);
    EXPECT_EQ(failureOf([] { strictNumber(u"-1D400"); }), Failure::Overflow);
}

TEST(NumberText, FloatsHaveSevenAndDoublesFifteenSignificantDigits) {
    const std::pair<float, const char*> floats[] = {
        {0.6f, "0.6"},           {2.0f, "2"},         {0.0f, "0"},
        {-0.0f, "0"},            {0.35f, "0.35"},     {1.0f / 3.0f, "0.3333333"},
        {-2.5f, "-2.5"},         {1234567.0f, "1234567"}, {12345678.0f, "1.234568E+07"},
        {0.0001f, "0.0001"},     {0.00001f, "1E-05"}, {FLT_MAX, "3.402823E+38"}};
    for (const auto& [value, text] : floats)
        EXPECT_EQ(floatText(value), QLatin1String(text));
    const std::pair<double, const char*> doubles[] = {
        {1.6, "1.6"},       {12.5, "12.5"},
        {3000, "3000"},     {-0.0, "0"},
        {0.1 + 0.2, "0.3"}, {123456789012345.0, "123456789012345"},
        {1e15, "1E+15"},    {DBL_MAX, "1.79769313486232E+308"}};
    for (const auto& [value, text] : doubles)
        EXPECT_EQ(doubleText(value), QLatin1String(text));
}
