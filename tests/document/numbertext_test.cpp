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

TEST(LeadingNumber, ReadsTheLongestLeadingNumber) {
    // Blanks inside the number are skipped, but a carriage return ends it;
    // exponents take E or D; hexadecimal and octal are read as 16-bit words;
    // huge magnitudes saturate instead of failing.
    const std::pair<const char*, double> cases[] = {{"12abc", 12},      {"  -730.4", -730.4},
                                                    {"+5", 5},          {".5", 0.5},
                                                    {"-.5", -0.5},      {"1.2.3", 1.2},
                                                    {"1.50", 1.5},      {"--5", 0},
                                                    {"abc", 0},         {"", 0},
                                                    {"-", 0},           {"1 2", 12},
                                                    {"1\t2\n3", 123},   {"- 1 . 5", -1.5},
                                                    {"1\r2", 1},        {"1E3", 1000},
                                                    {"1d2", 100},       {"2.5e-1", 0.25},
                                                    {"1E", 1},          {"1E+", 1},
                                                    {"1Ex", 1},         {"&H10", 16},
                                                    {"&hff", 255},      {"&HFFFF", -1},
                                                    {"&H8000", -32768}, {"&H10000", 65536},
                                                    {"&O17", 15},       {"&O8", 0},
                                                    {"&H", 0},          {"&X12", 0},
                                                    {"1E400", DBL_MAX}, {"-1E400", -DBL_MAX},
                                                    {"1E-400", 0}};
    for (const auto& [text, value] : cases)
        EXPECT_EQ(val(text), value) << text;
    EXPECT_EQ(val(std::string(400, '9').c_str()), DBL_MAX);
    EXPECT_EQ(val("1E99999999999999999999"), DBL_MAX);
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
    EXPECT_EQ(strictInt16(u" 12 "), 12);
    EXPECT_EQ(strictInt16(u"-1"), -1);
    EXPECT_EQ(strictInt16(u"2.5"), 2);
    EXPECT_EQ(strictInt16(u"&H10"), 16);
    for (const char16_t* text : {u"12abc", u"", u"1 2", u"1E"})
        EXPECT_EQ(failureOf([&] { strictInt16(text); }), Failure::TypeMismatch);
    EXPECT_EQ(failureOf([] { strictInt16(u"40000"); }), Failure::Overflow);
    EXPECT_EQ(failureOf([] { strictNumber(u"1E400"); }), Failure::Overflow);
}

TEST(NumberText, FloatsHaveSevenAndDoublesFifteenSignificantDigits) {
    const std::pair<float, const char*> floats[] = {{0.6f, "0.6"},
                                                    {2.0f, "2"},
                                                    {0.0f, "0"},
                                                    {-0.0f, "0"},
                                                    {0.35f, "0.35"},
                                                    {1.0f / 3.0f, "0.3333333"},
                                                    {-2.5f, "-2.5"},
                                                    {1234567.0f, "1234567"},
                                                    {12345678.0f, "1.234568E+07"},
                                                    {0.0001f, "0.0001"},
                                                    {0.00001f, "1E-05"},
                                                    {FLT_MAX, "3.402823E+38"}};
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
