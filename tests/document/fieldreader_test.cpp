#include "document/fieldreader.h"
#include "shared/failure.h"

#include <QStringList>

#include <gtest/gtest.h>

using namespace Orlenda;

namespace {
QStringList readAll(FieldReader& reader) {
    QStringList fields;
    while (!reader.atEnd())
        fields << reader.readField();
    return fields;
}
} // namespace

TEST(FieldReader, CommasAndEveryKindOfLineEndSeparateFields) {
    FieldReader reader(QStringLiteral("a,b\r\nc\nd\re,,f"));
    EXPECT_EQ(readAll(reader), (QStringList{"a", "b", "c", "d", "e", "", "f"}));
}

TEST(FieldReader, LeadingBlanksAreSkippedTrailingOnesKept) {
    FieldReader reader(QStringLiteral("  12 ,\t x\r\n   \r\ny"));
    // A blank-only line is an empty field, like an empty one.
    EXPECT_EQ(readAll(reader), (QStringList{"12 ", "x", "", "y"}));
}

TEST(FieldReader, QuotedFieldLosesItsQuotesAndWhatFollowsThem) {
    FieldReader reader(QStringLiteral("\"a,b\" tail,c\r\n \"open\r\nd"));
    // An unclosed quote ends with its line.
    EXPECT_EQ(readAll(reader), (QStringList{"a,b", "c", "open", "d"}));
}

TEST(FieldReader, TrailingBlankLinesCountAsTheEnd) {
    FieldReader reader(QStringLiteral("#\r\n\r\n  \r\n\x1a"));
    EXPECT_FALSE(reader.atEnd());
    EXPECT_EQ(reader.readField(), QStringLiteral("#"));
    EXPECT_TRUE(reader.atEnd());
    try {
        reader.readField();
        FAIL() << "read past the end";
    } catch (const StepFailure& failure) {
        EXPECT_EQ(failure.kind(), Failure::PastEndOfFile);
    }
    FieldReader empty(QString{});
    EXPECT_TRUE(empty.atEnd());
}

TEST(FieldReader, StartsAtTheGivenPositionAndReportsWhereItStands) {
    const QString text = QStringLiteral("QRL2000000,x\r\n[head]\r\n");
    FieldReader reader(text, 11);
    EXPECT_EQ(reader.readField(), QStringLiteral("x"));
    EXPECT_EQ(reader.position(), 14);
    EXPECT_EQ(reader.text(), text);
}
