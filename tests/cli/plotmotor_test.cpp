#include "motorsound/motorsoundgraph.h"
#include "support/clitests.h"


using namespace Orlenda;

namespace {

class CliPlotMotor : public CliTest {
protected:
    // A document whose four tracks all differ.
    void SetUp() override {
        for (int r = 0; r < MotorSoundRows; ++r) {
            table[Track::P2][r] = {std::int16_t(50 + r / 8), std::int16_t(r % 100),
                                   std::int16_t(r % 9 - 1)};
            table[Track::B2][r] = {std::int16_t(300 - r / 4), 20, 12}; // an index without a colour
        }
        TrainData data;
        data.setMotorSoundTable(table);
        savedDocument(dir, "in.dat", data);
    }

    MotorSoundTable table = defaultMotorSoundTable();
};

} // namespace

TEST_F(CliPlotMotor, WritesTheGraphForTheChosenTracksAndScale) {
    EXPECT_EQ(runCliForTest({"plot", "motor", in, out}), CliClean);
    EXPECT_EQ(pngImage(out), MotorSoundGraph::render(table, {0, 0, false}));

    EXPECT_EQ(
        runCliForTest({"plot", "motor", "--hex", in, "--track", "P2", "--previous", "b2", out}),
        CliClean);
    EXPECT_EQ(pngImage(out), MotorSoundGraph::render(table, {1, 3, true}));
    EXPECT_EQ(pngImage(out).size(), QSize(800, 800));
}
