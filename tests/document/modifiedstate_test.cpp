#include "document/openfile.h"
#include "support/documenttests.h"

#include <QSignalSpy>

using namespace Orlenda;

TEST(ModifiedState, EveryKindOfChangeMarksTheDocument) {
    const std::vector<std::pair<const char*, std::function<void(TrainData&)>>> changes = {
        // Typing and the check boxes mark the main window, the tables the sub-editors' tests.
        {"list", [](TrainData& d) { d.setListIndex(cbxHead, 1); }},
        {"rule-driven list", [](TrainData& d) { d.setListIndex(cbxBrkSend, 2); }},
        {"check box that renames a list", [](TrainData& d) { d.setCheck(3, true); }},
    };
    for (const auto& [name, change] : changes) {
        TrainData data;
        ASSERT_FALSE(data.isModified()) << name;
        QSignalSpy spy(&data, &TrainData::modifiedChanged);
        change(data);
        EXPECT_TRUE(data.isModified()) << name;
        EXPECT_EQ(spy.count(), 1) << name;
        data.newDocument();
        EXPECT_FALSE(data.isModified()) << name;
    }
}

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
