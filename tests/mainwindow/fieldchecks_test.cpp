#include "document/traindata.h"
#include "mainwindow/fieldchecks.h"
#include "mainwindow/formlayout.h"

#include <gtest/gtest.h>

using namespace Orlenda;
using namespace Qt::StringLiterals;

namespace {

// Types a text into a field and leaves it.
QString leave(TrainData& data, TextId field, const QString& typed) {
    data.setText(field, typed);
    applyFieldCheck(data, field);
    return data.text(field);
}

QString leave(TextId field, const QString& typed) {
    TrainData data;
    return leave(data, field, typed);
}

} // namespace

TEST(FieldChecks, WholeFieldsRoundHalfToEvenThenLimit) {
    EXPECT_EQ(leave(txtMove(0), "abc"), "1");
    EXPECT_EQ(leave(txtMove(0), "5000"), "3000");
    EXPECT_EQ(leave(txtMove(0), "2.5"), "2");
    EXPECT_EQ(leave(txtMove(0), "0.5"), "1");
    EXPECT_EQ(leave(txtCar(1), "1.5"), "2");
    EXPECT_EQ(leave(txtCar(1), "2.5"), "2");
    EXPECT_EQ(leave(txtElcStop, "300.6"), "300");
    EXPECT_EQ(leave(txtAdaptLoad, "-3"), "0");
    EXPECT_EQ(leave(txtNotchDown, "9"), "8");
    EXPECT_EQ(leave(txtPrs(0), ""), "1");
    EXPECT_EQ(leave(txtPoint(0), "-730.4"), "-730");
    EXPECT_EQ(leave(txtPoint(1), "-2.5"), "-2");
    EXPECT_EQ(leave(txtPoint(2), "12abc"), "12");
}

TEST(FieldChecks, NumberReadingSkipsBlanksAndReadsRadixPrefixes) {
    EXPECT_EQ(leave(txtMove(1), "1 2"), "12");
    EXPECT_EQ(leave(txtPoint(0), "  &H10"), "16");
    EXPECT_EQ(leave(txtPoint(0), "&O17"), "15");
    EXPECT_EQ(leave(txtPoint(0), "1.5E2"), "150");
    EXPECT_EQ(leave(txtPoint(0), "2D1"), "20");
    EXPECT_EQ(leave(txtPoint(0), "x12"), "0");
}

TEST(FieldChecks, WholeValuesBeyondSixteenBitsAreLimited) {
    EXPECT_EQ(leave(txtPoint(0), "40000"), "32767");
    EXPECT_EQ(leave(txtPoint(0), "-1E30"), "-32768");
    EXPECT_EQ(leave(txtCar(1), "70000"), "32767");
    EXPECT_EQ(leave(txtMove(2), "1E300"), "3000");
    EXPECT_EQ(leave(txtMove(2), "-1E300"), "1");
}

TEST(FieldChecks, DecimalFieldsLimitWithoutRounding) {
    EXPECT_EQ(leave(txtPer(1), "0.05"), "0.1");
    EXPECT_EQ(leave(txtPer(1), "0.35"), "0.35");
    EXPECT_EQ(leave(txtPer(1), "1.50"), "1.5");
    EXPECT_EQ(leave(txtPer(0), "junk"), "0.1");
    EXPECT_EQ(leave(txtCar(4), "30"), "25");
    EXPECT_EQ(leave(txtCar(4), "4.5"), "5");
    EXPECT_EQ(leave(txtCar(4), "19.5"), "19.5");
    EXPECT_EQ(leave(txtCar(4), ""), "5");
    EXPECT_EQ(leave(txtCar(0), "-1"), "0");
    EXPECT_EQ(leave(txtDelay(0), "-0.5"), "0");
    EXPECT_EQ(leave(txtDelay(0), "2.75"), "2.75");
}

TEST(FieldChecks, OffDelayNeverExceedsItsOnDelay) {
    TrainData data; // power on 0.4, service 0.8, electric on 1.2
    EXPECT_EQ(leave(data, txtDelay(1), "0.9"), "0.4");
    EXPECT_EQ(leave(data, txtDelay(2), "5"), "3");
    EXPECT_EQ(data.text(txtDelay(3)), "0.4");

    data.setText(txtDelay(1), "0.4");
    leave(data, txtDelay(0), "0.2");
    EXPECT_EQ(data.text(txtDelay(1)), "0.2");

    leave(data, txtDelay(2), "0.3");
    EXPECT_EQ(data.text(txtDelay(3)), "0.3");
    leave(data, txtDelay(5), "2");
    EXPECT_EQ(data.text(txtDelay(5)), "1.2");
}

TEST(FieldChecks, LeavingAnyDelayAppliesEveryPair) {
    TrainData data;
    data.setText(txtDelay(5), "2.5"); // as a file may hold it, above electric on 1.2
    data.setText(txtDelay(3), "0.40");
    leave(data, txtDelay(0), "0.4");
    EXPECT_EQ(data.text(txtDelay(5)), "1.2");
    EXPECT_EQ(data.text(txtDelay(3)), "0.4");
}

TEST(FieldChecks, DelayPartnerThatIsNotANumberReadsAsZero) {
    TrainData data;
    data.setText(txtDelay(0), "fast");
    EXPECT_EQ(leave(data, txtDelay(1), "0.3"), "0");
    data.setText(txtDelay(3), "?");
    leave(data, txtDelay(2), "1");
    EXPECT_EQ(data.text(txtDelay(3)), "0");
}

TEST(FieldChecks, ReservoirLimitsFollowEachOther) {
    TrainData data; // 686 / 784
    leave(data, txtPrs(2), "800");
    EXPECT_EQ(data.text(txtPrs(3)), "800");

    TrainData other;
    leave(other, txtPrs(3), "600");
    EXPECT_EQ(other.text(txtPrs(2)), "600");

    TrainData apart;
    leave(apart, txtPrs(2), "700");
    EXPECT_EQ(apart.text(txtPrs(3)), "784");
    leave(apart, txtPrs(3), "900");
    EXPECT_EQ(apart.text(txtPrs(2)), "700");
}

TEST(FieldChecks, ReservoirPartnerIsRoundedButNotLimitedToOne) {
    TrainData data;
    data.setText(txtPrs(2), "-5.5"); // only a file can leave it like this
    leave(data, txtPrs(3), "700");
    EXPECT_EQ(data.text(txtPrs(2)), "-6");

    data.setText(txtPrs(3), "junk");
    leave(data, txtPrs(2), "0");
    EXPECT_EQ(data.text(txtPrs(2)), "1");
    EXPECT_EQ(data.text(txtPrs(3)), "1");

    data.setText(txtPrs(3), "800.5");
    leave(data, txtPrs(0), "5");
    EXPECT_EQ(data.text(txtPrs(3)), "800.5");
}

TEST(FieldChecks, NoTrailerCarsMakesTheLeadingCarAMotorCar) {
    TrainData data;
    ASSERT_EQ(data.listIndex(cbxHead), 0);
    EXPECT_EQ(leave(data, txtCar(3), "3"), "3");
    EXPECT_EQ(data.listIndex(cbxHead), 0);
    EXPECT_EQ(leave(data, txtCar(3), "-2"), "0");
    EXPECT_EQ(data.listIndex(cbxHead), 1);

    for (const char* none : {"0", "0.5", "none"}) {
        TrainData other;
        EXPECT_EQ(leave(other, txtCar(3), none), "0");
        EXPECT_EQ(other.listIndex(cbxHead), 1) << none;
    }

    TrainData many;
    EXPECT_EQ(leave(many, txtCar(3), "1E9"), "32767");
    EXPECT_EQ(many.listIndex(cbxHead), 0);
}

TEST(FormLayout, ControlsSitInsideTheirPanelsWithoutOverlapping) {
    QList<QPair<int, QRect>> placed;
    for (const ControlLayout& c : controlLayouts()) {
        const QRect area = c.panel < 0 ? formRect()
                                       : QRect(QPoint(0, 0), panelLayouts()[std::size_t(c.panel)].rect.size());
        for (const QRect& r : {c.rect, c.captionRect, c.unitRect}) {
            if (r.isEmpty())
                continue;
            EXPECT_TRUE(area.contains(r)) << controlName(c).toStdString();
            for (const auto& [panel, other] : placed)
                EXPECT_FALSE(panel == c.panel && other.intersects(r)) << controlName(c).toStdString();
            placed.append({c.panel, r});
        }
    }
}

TEST(FieldChecks, FullWidthTypingReadsAsItsAsciiTwin) {
    EXPECT_EQ(leave(txtElcStop, u"３００"_s), "300");
    EXPECT_EQ(leave(txtPer(1), u"＋１．５"_s), "1.5");
    EXPECT_EQ(leave(txtMove(2), u"＆ＨＦＦ"_s), "255");
    // The partner rules see the corrected value.
    TrainData data;
    EXPECT_EQ(leave(data, txtPrs(2), u"８００"_s), "800");
    EXPECT_EQ(data.text(txtPrs(3)), "800");
}
