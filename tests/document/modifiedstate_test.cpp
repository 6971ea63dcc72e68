#include "document/openfile.h"
#include "support/documenttests.h"

using namespace Orlenda;

TEST(ModifiedState, ConfirmingAnUnchangedTableOrRetypingATextChangesNothing) {
    TrainData data;
    data.setAccelerationTable(AccelerationTable(data.accelerationTable()));
    data.setMotorSoundTable(MotorSoundTable(data.motorSoundTable()));
    data.setText(txtPer(0), data.text(txtPer(0)));
    data.setListIndex(cbxHead, data.listIndex(cbxHead));
    data.setDocumentPath(QStringLiteral("/x/a.dat"));
    EXPECT_FALSE(data.isModified());
}

TEST(ModifiedState, OpeningOrImportingClearsItWhateverTheOutcome) {
    QTemporaryDir dir;
    TrainData source;
    source.setText(txtPer(0), QStringLiteral("3"));
    const QString current = savedDocument(dir, "a.dat", source);
    const QString legacy =
        writtenFile(dir, "b.trn", encodeShiftJis("[制御方式]\r\n[減速度]\r\n3.2\r\n"));
    const QString future = writtenFile(dir, "c.dat", "QRL3000000\r\n");

    struct Case {
        QString path;
        bool answer;
        const char* deceleration;
    };
    for (const Case& c :
         {Case{current, true, "3"}, Case{legacy, true, "3.2"},
          Case{dir.filePath(QStringLiteral("missing.dat")), true, "4"}, Case{future, false, "4"}}) {
        TrainData data;
        data.setText(txtPer(1), QStringLiteral("0.5"));
        ScriptedPrompter prompter(c.answer);
        openFile(data, c.path, prompter);
        EXPECT_EQ(data.text(txtPer(0)), QString::fromLatin1(c.deceleration))
            << c.path.toStdString();
        EXPECT_FALSE(data.isModified()) << c.path.toStdString();
    }
}
