#pragma once

// Helpers shared by the recovery tests in this process and the one that runs
// the editor.

#include "document/recoverychooser.h"
#include "document/recoverycopy.h"
#include "document/recoverykeeper.h"
#include "document/recoveryoffer.h"
#include "support/documenttests.h"

#include <QDir>
#include <functional>

namespace Orlenda {

// Not a Shift-JIS character: Save refuses it.
inline const QString Unsavable = QStringLiteral("𠮷5");

// Stands for the recovery window: counts how often it is shown and runs a
// script of choices on the offer; without one it answers 後で.
class ScriptedRecoveryChooser : public RecoveryChooser {
public:
    std::function<void(RecoveryOffer&)> script;
    int windows = 0;
    QStringList shownFiles; // the file column, as the window showed it
    void choose(RecoveryOffer& offer) override {
        ++windows;
        shownFiles.clear();
        for (int row = 0; row < offer.count(); ++row)
            shownFiles << offer.index(row, RecoveryOffer::FileColumn).data().toString();
        if (script)
            script(offer);
        else
            offer.later();
    }
};

// Each test keeps its copies in a state folder of its own.
class RecoveryTest : public ::testing::Test {
protected:
    void SetUp() override { qputenv("XDG_STATE_HOME", state.path().toUtf8()); }

    static QStringList copies() {
        const QDir dir(RecoveryKeeper::folder());
        QStringList paths;
        for (const QString& name : dir.entryList({QStringLiteral("*.recovery")}, QDir::Files))
            paths << dir.filePath(name);
        return paths;
    }

    static RecoveryCopy copyAt(const QString& path) {
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
        return parseRecoveryCopy(file.readAll()).value_or(RecoveryCopy{});
    }

    QTemporaryDir state;
};

} // namespace Orlenda
