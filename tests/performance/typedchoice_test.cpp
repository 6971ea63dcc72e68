#include "performance/typedchoice.h"

#include <gtest/gtest.h>

using namespace Orlenda;

TEST(TypedGrade, RoundsTheTypedDigitsHalfToEvenThenChecksTheRange) {
    EXPECT_EQ(typedGrade(QStringLiteral("2.55")), 2.6);
    EXPECT_EQ(typedGrade(QStringLiteral("2.45")), 2.4);
    EXPECT_EQ(typedGrade(QStringLiteral("2.4501")), 2.5);
    EXPECT_EQ(typedGrade(QStringLiteral("１０")), 10.0);
    EXPECT_EQ(typedGrade(QStringLiteral("－３．２５")), -3.2);
    EXPECT_EQ(typedGrade(QStringLiteral(" 40.05 ‰")), 40.0);
    EXPECT_EQ(typedGrade(QStringLiteral("-0.04")), 0.0);
    EXPECT_FALSE(std::signbit(*typedGrade(QStringLiteral("-0.04"))));
    EXPECT_EQ(typedGrade(QStringLiteral("50")), std::nullopt);
    EXPECT_EQ(typedGrade(QStringLiteral("−45")), std::nullopt);
    EXPECT_EQ(typedGrade(QStringLiteral("40.06")), std::nullopt);
    for (const char* bad : {"", "-", ".", "1e1", "1.2.3", "12a", "inf", "99999999999999999999"})
        EXPECT_EQ(typedGrade(QString::fromLatin1(bad)), std::nullopt) << bad;
}

TEST(TypedBrakeSpeed, TakesWholeSpeedsFromOneTo160) {
    EXPECT_EQ(typedBrakeSpeed(QStringLiteral("100.5")), 100);
    EXPECT_EQ(typedBrakeSpeed(QStringLiteral("101.5")), 102);
    EXPECT_EQ(typedBrakeSpeed(QStringLiteral("１６０ km/h")), 160);
    EXPECT_EQ(typedBrakeSpeed(QStringLiteral("0.5")), std::nullopt);
    EXPECT_EQ(typedBrakeSpeed(QStringLiteral("160.5")), 160);
    EXPECT_EQ(typedBrakeSpeed(QStringLiteral("161")), std::nullopt);
    EXPECT_TRUE(brakeSpeedRefusal().contains(QStringLiteral("1 から 160 まで")));
    EXPECT_TRUE(gradeRefusal().contains(QStringLiteral("-40 から 40 まで")));
}
