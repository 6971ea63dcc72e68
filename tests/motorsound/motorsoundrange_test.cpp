#include "document/traindata.h"
#include "motorsound/motorsoundeditor.h"
#include "motorsound/motorsoundgeometry.h"
#include "support/scriptedprompter.h"

#include <gtest/gtest.h>

using namespace Orlenda;

namespace {

// Two editors on the same table: one is given presses, the other typed ranges.
struct EditorPair {
    EditorPair() {
        for (MotorSoundEditor* e : {&mouse, &typed})
            e->load(defaultMotorSoundTable());
    }
    void press(MotorSoundTool tool, int row1, int value1, int row2, int value2, int index = -1) {
        if (tool == MotorSoundTool::Index)
            mouse.chooseIndex(index);
        else
            mouse.selectTool(tool);
        mouse.press(Qt::LeftButton, row1, lowerPixelOfValue(value1));
        mouse.press(Qt::LeftButton, row2, lowerPixelOfValue(value2));
    }
    MotorSoundCopyBuffer buffers[2];
    ScriptedPrompter prompter;
    MotorSoundEditor mouse{buffers[0], prompter};
    MotorSoundEditor typed{buffers[1], prompter};
};

MotorSoundRangeInput speeds(const char* from, const char* to) {
    return {QString::fromUtf8(from), QString::fromUtf8(to), std::nullopt, std::nullopt,
            std::nullopt};
}

} // namespace

TEST(MotorSoundTypedRange, WritesWhatTheMouseToolsWriteForTheSameEnds) {
    struct Case {
        const char* from;
        const char* to;
        int fromRow, toRow;
        int value1, value2;
    };
    // Rightwards and leftwards, one row, halves of rows to even, the limits.
    const Case cases[] = {{"20", "29", 100, 145, 5, 50}, {"30.1", "20.3", 150, 102, 300, 0},
                          {"0.5", "0.5", 2, 2, 80, 20},   {"0", "159.8", 0, 799, 399, 0},
                          {"0.3", "0.1", 2, 0, 1, 0}};
    for (const Case& c : cases) {
        EditorPair pair;
        pair.typed.selectTrack(2);
        pair.mouse.selectTrack(2);
        const QString p1 = QString::number(c.value1), p2 = QString::number(c.value2);
        MotorSoundRangeInput input = speeds(c.from, c.to);
        input.index = 4;
        input.pitch = std::pair{p1, p2};
        input.volume = std::pair{p2, p1};
        const MotorSoundRangeParse parsed = parseMotorSoundRange(input);
        ASSERT_TRUE(parsed.range) << parsed.error.toStdString();
        EXPECT_EQ(std::pair(parsed.range->fromRow, parsed.range->toRow),
                  std::pair(c.fromRow, c.toRow));
        pair.typed.applyTypedRange(*parsed.range);

        pair.press(MotorSoundTool::Index, c.fromRow, 0, c.toRow, 0, 4);
        pair.press(MotorSoundTool::Pitch, c.fromRow, c.value1, c.toRow, c.value2);
        pair.press(MotorSoundTool::Volume, c.fromRow, c.value2, c.toRow, c.value1);
        EXPECT_EQ(pair.typed.workingCopy(), pair.mouse.workingCopy()) << c.from << "-" << c.to;
        EXPECT_NE(pair.typed.workingCopy(), defaultMotorSoundTable());
    }
}

TEST(MotorSoundTypedRange, RefusesWhatNoPressCouldWriteNamingTheRange) {
    auto refusal = [](MotorSoundRangeInput input) {
        return parseMotorSoundRange(input).error;
    };
    const QString speed = QStringLiteral("速度は 0 から 159.8 まで（km/h）の数値で入力してください。");
    for (const char* bad : {"159.9", "-0.1", "", "abc", "1e9"})
        EXPECT_EQ(refusal(speeds("10", bad)), speed) << bad;
    MotorSoundRangeInput input = speeds("１０", "20");
    input.pitch = std::pair{QStringLiteral("400"), QStringLiteral("0")};
    EXPECT_EQ(refusal(input), QStringLiteral("ピッチは 0 から 399 までの整数で入力してください。"));
    input.pitch = std::pair{QStringLiteral("10"), QStringLiteral("12.5")};
    EXPECT_TRUE(refusal(input).startsWith(QStringLiteral("ピッチは 0 から 399")));
    input.pitch.reset();
    input.volume = std::pair{QStringLiteral("-1"), QStringLiteral("0")};
    EXPECT_TRUE(refusal(input).startsWith(QStringLiteral("音量は 0 から 399")));
    input.volume.reset();
    input.index = 8;
    EXPECT_TRUE(refusal(input).contains(QStringLiteral("7")));
    input.index = -1;
    EXPECT_TRUE(parseMotorSoundRange(input).range); // full-width digits are read as typed
}
