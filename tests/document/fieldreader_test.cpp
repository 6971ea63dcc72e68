#include "document/fieldreader.h"
#include "support/documenttests.h"

using namespace Orlenda;

TEST(FieldReader, SplitsAtCommasAndLineEndsKeepingTrailingBlanks) {
    // Quotes go with what follows them; an unclosed one ends with its line;
    // a blank-only line is an empty field.
    FieldReader reader(QStringLiteral("a,b\r\nc\nd\re,,  12 \r\n   \r\n\"x,y\" tail,\"open\nz"));
    QStringList fields;
    while (!reader.atEnd())
        fields << reader.readField();
    EXPECT_EQ(fields, (QStringList{"a", "b", "c", "d", "e", "", "12 ", "", "x,y", "open", "z"}));
}

TEST(FieldReader, TrailingBlankLinesCountAsTheEnd) {
    const QString text = QStringLiteral("QRL2000000,#\r\n\r\n  \r\n\x1a");
    FieldReader reader(text, 11);
    EXPECT_EQ(reader.readField(), QStringLiteral("#"));
    EXPECT_EQ(reader.position(), 14);
    EXPECT_EQ(reader.text(), text);
    EXPECT_TRUE(reader.atEnd());
    EXPECT_EQ(failureOf([&] { reader.readField(); }), Failure::PastEndOfFile);
}
