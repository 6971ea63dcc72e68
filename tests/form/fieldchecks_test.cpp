#include "document/traindata.h"
#include "form/fieldchecks.h"

#include <gtest/gtest.h>

using namespace Orlenda;

namespace {

using Texts = QList<QPair<TextId, const char*>>;

// Types a text into a field of a document holding the given texts, and leaves it.
QString leave(TrainData& data, TextId field, const char* typed, const Texts& before = {}) {
    for (const auto& [id, text] : before)
        data.setText(id, QString::fromUtf8(text));
    data.setText(field, QString::fromUtf8(typed));
    applyFieldCheck(data, field);
    return data.text(field);
}

} // namespace

TEST(FieldChecks, LeavingAFieldCorrectsItsText) {
    // Field, typed text, text left.
    const std::tuple<TextId, const char*, const char*> cases[] = {
        // Whole fields round half to even, then limit.
        {txtMove(0), "abc", "1"}, {txtMove(0), "5000", "3000"}, {txtMove(0), "2.5", "2"},
        {txtMove(0), "0.5", "1"}, {txtCar(1), "1.5", "2"}, {txtCar(1), "2.5", "2"},
        {txtElcStop, "300.6", "300"}, {txtAdaptLoad, "-3", "0"}, {txtNotchDown, "9", "8"},
        {txtPrs(0), "", "1"}, {txtPoint(0), "-730.4", "-730"}, {txtPoint(1), "-2.5", "-2"},
        {txtPoint(2), "12abc", "12"},
        // Numbers are read skipping blanks, with radix prefixes and exponents.
        {txtMove(1), "1 2", "12"}, {txtPoint(0), "  &H10", "16"}, {txtPoint(0), "&O17", "15"},
        {txtPoint(0), "1.5E2", "150"}, {txtPoint(0), "2D1", "20"}, {txtPoint(0), "x12", "0"},
        // Whole values beyond sixteen bits are limited.
        {txtPoint(0), "40000", "32767"}, {txtPoint(0), "-1E30", "-32768"},
        {txtCar(1), "70000", "32767"}, {txtMove(2), "1E300", "3000"}, {txtMove(2), "-1E300", "1"},
        // Decimal fields limit without rounding.
        {txtPer(1), "0.05", "0.1"}, {txtPer(1), "0.35", "0.35"}, {txtPer(1), "1.50", "1.5"},
        {txtPer(0), "junk", "0.1"}, {txtCar(4), "30", "25"}, {txtCar(4), "4.5", "5"},
        {txtCar(4), "19.5", "19.5"}, {txtCar(4), "", "5"}, {txtCar(0), "-1", "0"},
        {txtDelay(0), "-0.5", "0"}, {txtDelay(0), "2.75", "2.75"},
        // Full-width typing reads as its ASCII twin.
        {txtElcStop, "３００", "300"}, {txtPer(1), "＋１．５", "1.5"}, {txtMove(2), "＆ＨＦＦ", "255"},
    };
    for (const auto& [field, typed, left] : cases) {
        TrainData data;
        EXPECT_EQ(leave(data, field, typed), QString::fromUtf8(left))
            << "field " << int(field) << ", typed " << typed;
    }
}

TEST(FieldChecks, LeavingAFieldCorrectsItsPartners) {
    // A new document: delays power on 0.4, service 0.8, electric on 1.2;
    // reservoir limits 686 and 784.
    const struct {
        Texts before;
        TextId field;
        const char* typed;
        Texts after;
    } cases[] = {
        // An off delay never exceeds its on delay.
        {{}, txtDelay(1), "0.9", {{txtDelay(1), "0.4"}}},
        {{}, txtDelay(2), "5", {{txtDelay(2), "3"}, {txtDelay(3), "0.4"}}},
        {{{txtDelay(1), "0.4"}}, txtDelay(0), "0.2", {{txtDelay(1), "0.2"}}},
        {{}, txtDelay(2), "0.3", {{txtDelay(3), "0.3"}}},
        {{}, txtDelay(5), "2", {{txtDelay(5), "1.2"}}},
        // Leaving any delay applies every pair, as a file may hold them.
        {{{txtDelay(5), "2.5"}, {txtDelay(3), "0.40"}}, txtDelay(0), "0.4",
         {{txtDelay(5), "1.2"}, {txtDelay(3), "0.4"}}},
        // A delay partner that is not a number reads as zero.
        {{{txtDelay(0), "fast"}}, txtDelay(1), "0.3", {{txtDelay(1), "0"}}},
        {{{txtDelay(3), "?"}}, txtDelay(2), "1", {{txtDelay(3), "0"}}},
        // The reservoir limits follow each other.
        {{}, txtPrs(2), "800", {{txtPrs(3), "800"}}},
        {{}, txtPrs(3), "600", {{txtPrs(2), "600"}}},
        {{}, txtPrs(2), "700", {{txtPrs(3), "784"}}},
        {{{txtPrs(2), "700"}}, txtPrs(3), "900", {{txtPrs(2), "700"}}},
        // The partner is rounded but not limited to one; other fields leave it.
        {{{txtPrs(2), "-5.5"}}, txtPrs(3), "700", {{txtPrs(2), "-6"}}},
        {{{txtPrs(3), "junk"}}, txtPrs(2), "0", {{txtPrs(2), "1"}, {txtPrs(3), "1"}}},
        {{{txtPrs(2), "1"}, {txtPrs(3), "800.5"}}, txtPrs(0), "5", {{txtPrs(3), "800.5"}}},
        // The partner rules see the corrected value.
        {{}, txtPrs(2), "８００", {{txtPrs(2), "800"}, {txtPrs(3), "800"}}},
    };
    for (const auto& c : cases) {
        TrainData data;
        leave(data, c.field, c.typed, c.before);
        for (const auto& [id, text] : c.after) {
            EXPECT_EQ(data.text(id), QString::fromUtf8(text))
                << "leaving field " << int(c.field) << " typed " << c.typed << ", field " << int(id);
        }
    }
}

TEST(FieldChecks, NoTrailerCarsMakesTheLeadingCarAMotorCar) {
    ASSERT_EQ(TrainData().listIndex(cbxHead), 0);
    const struct {
        const char* typed;
        const char* left;
        int head;
    } cases[] = {{"3", "3", 0},   {"-2", "0", 1},   {"0", "0", 1},
                 {"0.5", "0", 1}, {"none", "0", 1}, {"1E9", "32767", 0}};
    for (const auto& c : cases) {
        TrainData data;
        EXPECT_EQ(leave(data, txtCar(3), c.typed), QString::fromUtf8(c.left)) << c.typed;
        EXPECT_EQ(data.listIndex(cbxHead), c.head) << c.typed;
    }
}
