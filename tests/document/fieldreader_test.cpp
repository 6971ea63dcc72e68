#include "document/fieldreader.h"
#include "support/documenttests.h"

using namespace Orlenda;

TEST(FieldReader, SplitsAtCommasAndLineEndsUpToTrailingBlankLines) {
    // Quotes go with what follows them; an unclosed one ends with its line;
    // a blank-only line is an empty field.
    FieldReader reader(QStringLiteral("a,b\r\nc\nd\re,,  12 \r\n   \r\n\"x,y\" tail,\"open\nz"));
    QStringList fields;
    while (!reader.atEnd())
        fields << reader.readField();
    EXPECT_EQ(fields, (QStringList{"a", "b", "c", "d", "e", "", "12 ", "", "x,y", "open", "z"}));

    // Trailing blank lines count as the end.
    const QString text = QStringLiteral("QRL2000000,#\r\n\r\n  \r\n\x1a");
    FieldReader tail(text, 11);
    EXPECT_EQ(tail.readField(), QStringLiteral("#"));
    EXPECT_EQ(tail.position(), 14);
    EXPECT_EQ(tail.text(), text);
    EXPECT_TRUE(tail.atEnd());
    EXPECT_EQ(failureOf([&] { tail.readField(); }), Failure::PastEndOfFile);
}
