#pragma once

// Helpers shared by the recovery tests in this process and the one that runs
// the editor.

#include "document/recoverychooser.h"
#include "document/recoverycopy.h"
#include "document/recoverykeeper.h"
#include "document/recoveryoffer.h"
#include "shared/platform.h"
#include "support/documenttests.h"

#include <QCryptographicHash>
#include <QDir>
#include <QTest>
#include <QUrl>
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

    // A copy left by an editor that a signal ended.
    static QString leftCopy(const QString& path, const QString& deceleration,
                            const DiskFingerprint& print = {}) {
        TrainData data;
        data.setDocumentPath(path);
        data.setDiskFingerprint(print);
        data.setText(txtPer(0), deceleration);
        RecoveryKeeper keeper(data);
        EXPECT_TRUE(keeper.writeNow());
        keeper.keepCopy();
        QTest::qWait(5); // copies differ in time
        return keeper.copyPath();
    }

    // A file in the copies' folder, as a crash or a disk might have left it.
    static QString plantCopy(const QString& name, const QByteArray& bytes) {
        EXPECT_FALSE(PrivateFolder::secure(RecoveryKeeper::folder()));
        const QString path = RecoveryKeeper::folder() + QLatin1Char('/') + name;
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }

    // A copy whose header matches body, whatever body holds.
    static QByteArray copyWithBody(const QString& path, const QByteArray& body, int version = 2) {
        QByteArray bytes = "Orlenda recovery copy " + QByteArray::number(version) +
                           "\npath: " + QUrl::toPercentEncoding(path) +
                           "\ntime: 2026-01-02T03:04:05.000Z\n";
        if (version >= 2) {
            bytes += "file: -\nlength: " + QByteArray::number(body.size()) + "\nsha256: " +
                     QCryptographicHash::hash(body, QCryptographicHash::Sha256).toHex() + "\n";
        }
        return bytes + "\n" + body;
    }

    static RecoveryCopy copyAt(const QString& path) {
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
        return parseRecoveryCopy(file.readAll()).value_or(RecoveryCopy{});
    }

    QTemporaryDir state;
};

} // namespace Orlenda
