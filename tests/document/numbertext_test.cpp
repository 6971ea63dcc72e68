#include "document/numbertext.h"
#include "shared/failure.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>

using namespace Orlenda;

namespace {
double val(const char* text) { return leadingNumber(QString::fromUtf8(text)); }
Failure failureOf(auto&& f) {
    try {
        f();
    } catch (const StepFailure& e) {
        return e.kind();
    }
    return Failure::Unexpected;
}
} // namespace

TEST(LeadingNumber, ReadsTheLongestLeadingNumber) {
    EXPECT_EQ(val("12abc"), 12);
    EXPECT_EQ(val("  -730.4"), -730.4);
    EXPECT_EQ(val("+5"), 5);
    EXPECT_EQ(val(".5"), 0.5);
    EXPECT_EQ(val("-.5"), -0.5);
    EXPECT_EQ(val("1.2.3"), 1.2);
    EXPECT_EQ(val("1.50"), 1.5);
    EXPECT_EQ(val("--5"), 0);
    EXPECT_EQ(val("abc"), 0);
    EXPECT_EQ(val(""), 0);
    EXPECT_EQ(val("-"), 0);
}

TEST(LeadingNumber, SkipsBlanksInsideTheNumber) {
    EXPECT_EQ(val("1 2"), 12);
    EXPECT_EQ(val("1\t2\n3"), 123);
    EXPECT_EQ(val("- 1 . 5"), -1.5);
    // A carriage return is not a blank: it ends the number.
    EXPECT_EQ(val("1\r2"), 1);
}

TEST(LeadingNumber, ReadsExponentsWithEOrD) {
    EXPECT_EQ(val("1E3"), 1000);
    EXPECT_EQ(val("1d2"), 100);
    EXPECT_EQ(val("2.5e-1"), 0.25);
    EXPECT_EQ(val("1E"), 1);
    EXPECT_EQ(val("1E+"), 1);
    EXPECT_EQ(val("1Ex"), 1);
}

TEST(LeadingNumber, ReadsHexadecimalAndOctalAsWords) {
    EXPECT_EQ(val("&H10"), 16);
    EXPECT_EQ(val("&hff"), 255);
    EXPECT_EQ(val("&HFFFF"), -1);
    EXPECT_EQ(val("&H8000"), -32768);
    EXPECT_EQ(val("&H10000"), 65536);
    EXPECT_EQ(val("&O17"), 15);
    EXPECT_EQ(val("&O8"), 0);
    EXPECT_EQ(val("&H"), 0);
    EXPECT_EQ(val("&X12"), 0);
}

TEST(LeadingNumber, HugeMagnitudesSaturateInsteadOfFailing) {
    EXPECT_EQ(val("1E400"), DBL_MAX);
    EXPECT_EQ(val("-1E400"), -DBL_MAX);
    EXPECT_EQ(val("1E-400"), 0);
    EXPECT_EQ(val(std::string(400, '9').c_str()), DBL_MAX);
    EXPECT_EQ(val("1E99999999999999999999"), DBL_MAX);
}

TEST(Rounding, HalvesGoToTheEvenNeighbour) {
    EXPECT_EQ(roundHalfEven(2.5), 2);
    EXPECT_EQ(roundHalfEven(3.5), 4);
    EXPECT_EQ(roundHalfEven(-2.5), -2);
    EXPECT_EQ(roundHalfEven(0.5), 0);
    EXPECT_EQ(roundHalfEven(1.5), 2);
    EXPECT_EQ(roundHalfEven(2.500001), 3);
    EXPECT_EQ(toInt16(-730.4), -730);
}

TEST(Int16Conversion, FailsWithOverflowOutsideTheRange) {
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
    EXPECT_EQ(failureOf([] { strictInt16(u"12abc"); }), Failure::TypeMismatch);
    EXPECT_EQ(failureOf([] { strictInt16(u""); }), Failure::TypeMismatch);
    EXPECT_EQ(failureOf([] { strictInt16(u"1 2"); }), Failure::TypeMismatch);
    EXPECT_EQ(failureOf([] { strictInt16(u"1E"); }), Failure::TypeMismatch);
    EXPECT_EQ(failureOf([] { strictInt16(u"40000"); }), Failure::Overflow);
    EXPECT_EQ(failureOf([] { strictNumber(u"1E400"); }), Failure::Overflow);
}

TEST(NumberText, FloatsHaveAtMostSevenSignificantDigits) {
    EXPECT_EQ(floatText(0.6f), QStringLiteral("0.6"));
    EXPECT_EQ(floatText(2.0f), QStringLiteral("2"));
    EXPECT_EQ(floatText(0.0f), QStringLiteral("0"));
    EXPECT_EQ(floatText(-0.0f), QStringLiteral("0"));
    EXPECT_EQ(floatText(0.35f), QStringLiteral("0.35"));
    EXPECT_EQ(floatText(1.0f / 3.0f), QStringLiteral("0.3333333"));
    EXPECT_EQ(floatText(-2.5f), QStringLiteral("-2.5"));
    EXPECT_EQ(floatText(1234567.0f), QStringLiteral("1234567"));
    EXPECT_EQ(floatText(12345678.0f), QStringLiteral("1.234568E+07"));
    EXPECT_EQ(floatText(0.0001f), QStringLiteral("0.0001"));
    EXPECT_EQ(floatText(0.00001f), QStringLiteral("1E-05"));
    EXPECT_EQ(floatText(FLT_MAX), QStringLiteral("3.402823E+38"));
}

TEST(NumberText, DoublesHaveUpToFifteenSignificantDigits) {
    EXPECT_EQ(doubleText(1.6), QStringLiteral("1.6"));
    EXPECT_EQ(doubleText(12.5), QStringLiteral("12.5"));
    EXPECT_EQ(doubleText(3000), QStringLiteral("3000"));
    EXPECT_EQ(doubleText(-0.0), QStringLiteral("0"));
    EXPECT_EQ(doubleText(0.1 + 0.2), QStringLiteral("0.3"));
    EXPECT_EQ(doubleText(123456789012345.0), QStringLiteral("123456789012345"));
    EXPECT_EQ(doubleText(1e15), QStringLiteral("1E+15"));
    EXPECT_EQ(doubleText(DBL_MAX), QStringLiteral("1.79769313486232E+308"));
}

TEST(NumberText, WrittenTextReadsBackToTheSameFloat) {
    for (float f : {0.6f, 1.0f / 3.0f, 2.5e-6f, 123.456f, -98765.43f, 3.0e30f}) {
        const float back = float(leadingNumber(floatText(f)));
        EXPECT_NEAR(back, f, std::fabs(f) * 1e-6f) << floatText(f).toStdString();
    }
}
