#include "sound/soundrender.h"
#include "support/clitests.h"
#include "support/soundtests.h"

#include <QFile>

using namespace Orlenda;

namespace {

QByteArray fileBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

struct RenderCommandTest : SoundTest {
    QString in = path("in.dat");
    QString out = path("out.wav");
    TrainData data;

    void SetUp() override {
        MotorSoundTable table = defaultMotorSoundTable(); // P1 and B1 play sound 0
        table[Track::P2].fill({150, 90, 2});
        data.setMotorSoundTable(table);
        savedDocument(dir, "in.dat", data);
        writeWave(path("motor0.wav"), 441, 0.3);
        writeWave(path("02.flac"), 300, 0.2, 22050, 2, SF_FORMAT_FLAC | SF_FORMAT_PCM_16,
                  Wave::Saw);
    }

    QByteArray inProcess(const RenderRequest& request, const SoundAssignment& assignment = {}) {
        bank->setFolder(SoundFolder(dir.path()));
        bank->setAssignment(assignment);
        return renderToWav(bank, data.motorSoundTable(), request);
    }
};

} // namespace

// What the CLI writes is what the renderer renders, byte for byte.
TEST_F(RenderCommandTest, WritesTheInProcessRender) {
    ASSERT_EQ(runCliForTest({"motor", "render", in, out, "--speed", "42.6", "--seconds", "0.5"}),
              CliClean);
    RenderRequest held;
    held.speed = 42.6;
    held.seconds = 0.5;
    const QByteArray written = fileBytes(out);
    EXPECT_EQ(written.size(), 44 + 24000 * 4);
    EXPECT_EQ(written, inProcess(held));
    EXPECT_EQ(written.left(4), "RIFF");

    QString err;
    ASSERT_EQ(runCliForTest({"motor", "render", in, out, "--run", "1", "--to", "3", "--speedup",
                             "4", "--assign", "2=motor0.wav"},
                            &err),
              CliClean)
        << err.toStdString();
    RenderRequest run;
    run.run = std::get<RunProfile>(RunProfile::make(performanceTrain(data), 1, 3));
    run.speedUp = 4;
    SoundAssignment assignment;
    assignment.assign(2, QStringLiteral("motor0.wav"));
    EXPECT_EQ(fileBytes(out), inProcess(run, assignment));
}

TEST_F(RenderCommandTest, QuestionsAndRefusals) {
    QString err;
    // A sound that cannot play is a question naming it; the rest still plays.
    writtenFile(dir, "02.flac", "not a sound");
    EXPECT_EQ(runCliForTest({"motor", "render", in, out, "--speed", "10", "--seconds", "0.1"}, &err),
              CliQuestionsAsked);
    EXPECT_TRUE(err.contains(u"02.flac")) << err.toStdString();
    EXPECT_EQ(fileBytes(out).size(), 44 + 4800 * 4);

    // A top speed the notch does not reach is a question (the run would go
    // to the highest); with no sound at all nothing is written.
    QFile::remove(out);
    EXPECT_EQ(runCliForTest({"motor", "render", in, out, "--run", "1", "--to", "160", "--sounds",
                             path("none")},
                            &err),
              CliFailed);
    EXPECT_TRUE(err.contains(u"55 km/h")) << err.toStdString();
    EXPECT_FALSE(QFile::exists(out));
    for (const QStringList& bad : {
             QStringList{"--speed", "10"},
             QStringList{"--speed", "160", "--seconds", "1"},
             QStringList{"--speed", "10", "--seconds", "0.05"},
             QStringList{"--run", "1", "--speed", "10", "--seconds", "1"},
             QStringList{"--run", "9"},
             QStringList{"--run", "1", "--to", "12.5"},
             QStringList{"--run", "1", "--speedup", "3"},
             QStringList{"--speed", "10", "--seconds", "1", "--to", "20"},
             QStringList{"--run", "1", "--brake"},
             QStringList{"--run", "1", "--assign", "x=1.wav"},
             QStringList{"--run", "1", "--assign", "1=../a.wav"},
         })
        EXPECT_EQ(runCliForTest(QStringList{"motor", "render", in, out} + bad), CliFailed) << bad.join(' ').toStdString();
    EXPECT_EQ(runCliForTest({"motor", "render", path("missing.dat"), out, "--run", "1"}), CliFailed);
    EXPECT_EQ(runCliForTest({"motor", "render", in, dir.path(), "--speed", "1", "--seconds", "1"}),
              CliFailed);
}
