#include "document/documenthistory.h"
#include "shared/platform.h"
#include "support/recoverytests.h"

#include <QCryptographicHash>
#include <QTest>
#include <QUrl>

#include <sys/stat.h>
#include <unistd.h>

using namespace Orlenda;

namespace {

class Recovery : public RecoveryTest {
protected:
    static QByteArray bytesOf(const QString& path) {
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
        return file.readAll();
    }

    // The offer as the window would show it at start.
    struct Start {
        TrainData data;
        DocumentHistory& history = data.keepHistory();
        RecoveryKeeper keeper{data};
        ScriptedPrompter prompter;
        ScriptedRecoveryChooser chooser;
        QStringList notices;
        Start() {
            QObject::connect(&keeper, &RecoveryKeeper::recoveryOff,
                             [this](const QString& text) { notices << text; });
        }
        bool offer() { return keeper.offerCopies(prompter, chooser); }
        void type(const QString& text) {
            data.type([&] { data.setText(txtPer(0), text); });
        }
    };

    static int rowOf(const RecoveryOffer& offer, const QString& copyPath) {
        for (int row = 0; row < offer.count(); ++row) {
            if (offer.copyPath(row) == copyPath)
                return row;
        }
        return -1;
    }
};

} // namespace

TEST_F(Recovery, CopyKeepsEveryCharacterThePathAndTheFileFingerprint) {
    TrainData data;
    data.setText(txtPer(0), Unsavable);
    data.setListIndex(cbxBrkSend, 2);
    data.setCheck(chkDevice(3), true);
    MotorSoundTable table = data.motorSoundTable();
    table[Track::B2][799] = MotorSoundEntry{-5, 99, 7};
    data.setMotorSoundTable(table);
    data.setDocumentPath(QStringLiteral("/tmp/a\n%b.dat"));
    const DiskFingerprint print{123, -456789, QByteArray(32, '\x7f')}; // a file time before 1970
    data.setDiskFingerprint(print);
    EXPECT_EQ(failureOf([&] { encodeShiftJis(trainFileText(data)); }), Failure::CannotEncode);

    const QDateTime time = QDateTime::currentDateTimeUtc();
    const QByteArray bytes = recoveryCopyBytes(data, time);
    const std::optional<RecoveryCopy> copy = parseRecoveryCopy(bytes);
    ASSERT_TRUE(copy);
    EXPECT_EQ(copy->time.toMSecsSinceEpoch(), time.toMSecsSinceEpoch());
    EXPECT_EQ(copy->fileFingerprint, print);
    TrainData restored;
    ScriptedPrompter prompter;
    EXPECT_TRUE(restoreRecoveryCopy(restored, *copy, prompter));
    EXPECT_EQ(prompter.count(), 0);
    EXPECT_TRUE(restored.holds(data.state()));
    EXPECT_EQ(restored.documentPath(), data.documentPath());
    EXPECT_EQ(restored.diskFingerprint(), print);

    // The header alone is enough to list a copy; anything cut or added is not a copy.
    const auto header =
        parseRecoveryCopyHeader(QByteArrayView(bytes).first(bytes.indexOf("\n\n") + 2));
    ASSERT_TRUE(header);
    EXPECT_EQ(header->documentPath, data.documentPath());
    EXPECT_EQ(header->bodyOffset + header->bodyLength, bytes.size());
    EXPECT_FALSE(parseRecoveryCopy(bytes.chopped(1)));
    EXPECT_FALSE(parseRecoveryCopy(bytes + "x"));
    QByteArray flipped = bytes;
    flipped[flipped.size() - 3] = flipped[flipped.size() - 3] ^ 1;
    EXPECT_FALSE(parseRecoveryCopy(flipped));
    for (const char* broken : {"", "QRL2000000\r\n", "Orlenda recovery copy 1\npath: x\n",
                               "Orlenda recovery copy 3\npath: \ntime: 2026-01-01T00:00:00Z\n\n"})
        EXPECT_FALSE(parseRecoveryCopyHeader(broken)) << broken;
}

TEST_F(Recovery, CopyExistsOnlyWhileTheDocumentIsModified) {
    TrainData data;
    data.keepHistory();
    auto keeper = std::make_unique<RecoveryKeeper>(data);
    keeper->setDelays(20, 10000);
    QTest::qWait(60);
    EXPECT_TRUE(copies().isEmpty()); // nothing changed yet

    data.type([&] { data.setText(txtPer(0), Unsavable); }); // not yet committed
    ASSERT_TRUE(QTest::qWaitFor([] { return !copies().isEmpty(); }));
    EXPECT_EQ(copyAt(keeper->copyPath()).text, trainFileText(data));
    struct stat status;
    ASSERT_EQ(::lstat(QFile::encodeName(RecoveryKeeper::folder()).constData(), &status), 0);
    EXPECT_EQ(status.st_mode & 07777, 0700u);
    // The copy holds the user's work: nobody else may read it, whatever the umask.
    ASSERT_EQ(::lstat(QFile::encodeName(keeper->copyPath()).constData(), &status), 0);
    EXPECT_EQ(status.st_mode & 07777, 0600u);
    data.markSaved();
    EXPECT_TRUE(QTest::qWaitFor([] { return copies().isEmpty(); }));

    // Long typing is written without a pause, at the longest wait.
    keeper->setDelays(1000, 100);
    for (int i = 0; i < 40 && copies().isEmpty(); ++i) {
        data.type([&] { data.setText(txtPer(0), QString::number(i)); });
        QTest::qWait(10);
    }
    EXPECT_EQ(copies().size(), 1);

    // A normal end deletes the copy and its lock; a signal's end keeps the copy.
    keeper.reset();
    EXPECT_TRUE(copies().isEmpty());
    EXPECT_TRUE(QDir(RecoveryKeeper::folder()).entryList(QDir::Files | QDir::Hidden).isEmpty());
    keeper = std::make_unique<RecoveryKeeper>(data);
    EXPECT_TRUE(keeper->writeNow());
    keeper->keepCopy();
    keeper.reset();
    EXPECT_EQ(copies().size(), 1);
}

TEST_F(Recovery, OneWindowOffersCopiesNewestFirstExceptRunningEditorsAndEachButtonActs) {
    const QString older = leftCopy(QStringLiteral("/x/a.dat"), QStringLiteral("1"));
    const QString newer = leftCopy(QString(), QStringLiteral("2"));
    const QString later = leftCopy(QStringLiteral("/x/c.dat"), QStringLiteral("8"));
    TrainData running;
    RecoveryKeeper runningKeeper(running);
    running.setText(txtPer(0), QStringLiteral("3"));
    ASSERT_TRUE(runningKeeper.writeNow());

    Start start;
    start.chooser.script = [&](RecoveryOffer& offer) {
        ASSERT_EQ(offer.count(), 3);
        EXPECT_EQ(offer.copyPath(0), later);
        EXPECT_EQ(offer.state(0), RecoveryCopyState::Missing);
        EXPECT_EQ(offer.state(1), RecoveryCopyState::NewDocument);
        EXPECT_TRUE(offer.remove(1)); // 削除, after a question
        EXPECT_EQ(offer.count(), 2);
        EXPECT_TRUE(offer.restore(rowOf(offer, older)));
        EXPECT_TRUE(offer.isDone());
        EXPECT_FALSE(offer.canRestore(0));
    };
    EXPECT_TRUE(start.offer());
    EXPECT_EQ(start.chooser.windows, 1);
    EXPECT_EQ(start.chooser.shownFiles,
              (QStringList{QStringLiteral("/x/c.dat"), QStringLiteral("新規ドキュメント"),
                           QStringLiteral("/x/a.dat")}));
    EXPECT_EQ(start.prompter.count(), 1); // whether to delete
    EXPECT_FALSE(QFile::exists(newer));
    EXPECT_FALSE(QFile::exists(newer + QStringLiteral(".lock")));
    EXPECT_EQ(start.data.text(txtPer(0)), QStringLiteral("1"));
    EXPECT_EQ(start.data.documentPath(), QStringLiteral("/x/a.dat"));
    EXPECT_TRUE(start.data.isModified());
    EXPECT_EQ(start.keeper.copyPath(), older);
    // The restored copy, the one left for later and the running editor's.
    EXPECT_EQ(copies().size(), 3);

    // 後で leaves the copy for the next start.
    Start next;
    EXPECT_FALSE(next.offer());
    EXPECT_EQ(next.chooser.shownFiles, QStringList{QStringLiteral("/x/c.dat")});
    Start third;
    EXPECT_FALSE(third.offer());
    EXPECT_EQ(third.chooser.windows, 1);
}

TEST_F(Recovery, CopyMadeFromARelativePathRestoresUnderTheAbsolutePathFromAnotherFolder) {
    QTemporaryDir folderA;
    QTemporaryDir folderB;
    const QString before = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(folderA.path()));
    leftCopy(QStringLiteral("train.dat"), QStringLiteral("3"));
    ASSERT_TRUE(QDir::setCurrent(folderB.path()));
    savedDocument(folderB, "train.dat", TrainData());

    Start start;
    start.chooser.script = [](RecoveryOffer& offer) { EXPECT_TRUE(offer.restore(0)); };
    EXPECT_TRUE(start.offer());
    QDir::setCurrent(before);
    EXPECT_EQ(start.chooser.shownFiles, QStringList{folderA.filePath(QStringLiteral("train.dat"))});
    EXPECT_EQ(start.data.documentPath(), folderA.filePath(QStringLiteral("train.dat")));
    EXPECT_EQ(start.data.text(txtPer(0)), QStringLiteral("3"));
}

TEST_F(Recovery, TruncatedOrJunkFollowedCopiesAreDamagedAndOpenOnlyAsNewDocuments) {
    QTemporaryDir files;
    const QString target = savedDocument(files, "real.dat", TrainData());
    const QByteArray targetBytes = bytesOf(target);
    TrainData source;
    source.setDocumentPath(target);
    source.setDiskFingerprint(fingerprintOfBytes(target, targetBytes));
    source.setText(txtPer(0), QStringLiteral("7"));
    const QByteArray good = recoveryCopyBytes(source, QDateTime::currentDateTimeUtc());
    const QString cut = plantCopy(QStringLiteral("cut.recovery"), good.left(good.size() / 2));
    const QString junk = plantCopy(QStringLiteral("junk.recovery"), good + QByteArray(300, '#'));
    const QString noise = plantCopy(QStringLiteral("noise.recovery"), QByteArray(5000, '\x01'));
    QByteArray flipped = good;
    flipped[flipped.size() - 40] = 'Z';
    const QString silent = plantCopy(QStringLiteral("flipped.recovery"), flipped);
    // A FIFO must not make the listing wait.
    const QString fifo = RecoveryKeeper::folder() + QStringLiteral("/fifo.recovery");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);

    Start start;
    start.chooser.script = [&](RecoveryOffer& offer) {
        ASSERT_EQ(offer.count(), 5);
        for (const QString& path : {cut, junk, noise, fifo}) {
            const int row = rowOf(offer, path);
            EXPECT_EQ(offer.state(row), RecoveryCopyState::Damaged) << path.toStdString();
            EXPECT_EQ(offer.index(row, RecoveryOffer::StateColumn).data().toString(),
                      QStringLiteral("破損"));
            EXPECT_FALSE(offer.canRestore(row));
            EXPECT_FALSE(offer.restore(row));
        }
        EXPECT_FALSE(offer.canOpenAsNew(rowOf(offer, noise))); // nothing to read: only 削除
        EXPECT_TRUE(offer.remove(rowOf(offer, fifo)));
        EXPECT_FALSE(QFileInfo::exists(fifo));

        // The checksum is read only at 復元, which then finds the damage.
        const int row = rowOf(offer, silent);
        EXPECT_EQ(offer.state(row), RecoveryCopyState::Unchanged);
        EXPECT_FALSE(offer.restore(row));
        EXPECT_EQ(offer.state(row), RecoveryCopyState::Damaged);
        EXPECT_FALSE(offer.isDone());

        EXPECT_TRUE(offer.openAsNew(rowOf(offer, cut)));
    };
    EXPECT_TRUE(start.offer());
    EXPECT_EQ(start.prompter.told, QStringList{damagedCopyNoticeText()});
    EXPECT_TRUE(start.data.documentPath().isEmpty());
    EXPECT_TRUE(start.data.isModified());
    EXPECT_EQ(start.keeper.copyPath(), cut);
    EXPECT_EQ(bytesOf(target), targetBytes);
}

TEST_F(Recovery, OldCopiesRestoreUnderAnAbsolutePathOnlyAndAskBeforeReplacing) {
    QTemporaryDir files;
    const QString target = savedDocument(files, "old.dat", TrainData());
    TrainData source;
    source.setText(txtPer(0), QStringLiteral("5"));
    const QByteArray body = trainFileText(source).toUtf8();
    const QString relative =
        plantCopy(QStringLiteral("1-1.recovery"), copyWithBody(QStringLiteral("old.dat"), body, 1));
    const QString absolute =
        plantCopy(QStringLiteral("1-2.recovery"), copyWithBody(target, body, 1));

    Start start;
    start.chooser.script = [&](RecoveryOffer& offer) {
        const int row = rowOf(offer, relative);
        EXPECT_EQ(offer.state(row), RecoveryCopyState::PlaceUnknown);
        EXPECT_FALSE(offer.canRestore(row));
        EXPECT_TRUE(offer.canOpenAsNew(row));
        // No fingerprint: the file may have changed since.
        EXPECT_EQ(offer.state(rowOf(offer, absolute)), RecoveryCopyState::Changed);
        EXPECT_TRUE(offer.restore(rowOf(offer, absolute)));
    };
    EXPECT_TRUE(start.offer());
    EXPECT_EQ(start.data.documentPath(), target);
    EXPECT_EQ(start.data.text(txtPer(0)), QStringLiteral("5"));
    EXPECT_TRUE(start.data.asksBeforeReplacing());

    Start next;
    next.chooser.script = [&](RecoveryOffer& offer) { EXPECT_TRUE(offer.openAsNew(0)); };
    EXPECT_TRUE(next.offer());
    EXPECT_TRUE(next.data.documentPath().isEmpty());
    EXPECT_EQ(next.data.text(txtPer(0)), QStringLiteral("5"));
}

TEST_F(Recovery, FileChangedAfterItsCopyIsShownAndTheRestoredDocumentAsksBeforeReplacing) {
    QTemporaryDir files;
    const QString changed = savedDocument(files, "newer.dat", TrainData());
    const QString touched = savedDocument(files, "touched.dat", TrainData());
    const QString changedCopy =
        leftCopy(changed, QStringLiteral("1"), fingerprintOfBytes(changed, bytesOf(changed)));
    const QString touchedCopy =
        leftCopy(touched, QStringLiteral("2"), fingerprintOfBytes(touched, bytesOf(touched)));
    TrainData other;
    other.setText(txtPer(0), QStringLiteral("9"));
    savedDocument(files, "newer.dat", other);
    QFile file(touched);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    file.setFileTime(QDateTime::currentDateTimeUtc().addSecs(60), QFile::FileModificationTime);
    file.close();

    Start start;
    start.chooser.script = [&](RecoveryOffer& offer) {
        const int row = rowOf(offer, changedCopy);
        EXPECT_EQ(offer.state(row), RecoveryCopyState::Changed);
        EXPECT_TRUE(offer.index(row, RecoveryOffer::FileColumn)
                        .data(Qt::ToolTipRole)
                        .toString()
                        .contains(QStringLiteral("ファイルは回復データより後に変更されています")));
        EXPECT_EQ(offer.state(rowOf(offer, touchedCopy)), RecoveryCopyState::Unchanged);
        EXPECT_TRUE(offer.restore(row));
    };
    EXPECT_TRUE(start.offer());
    EXPECT_EQ(start.data.documentPath(), changed);
    EXPECT_TRUE(start.data.asksBeforeReplacing());

    Start next;
    next.chooser.script = [&](RecoveryOffer& offer) { EXPECT_TRUE(offer.restore(0)); };
    EXPECT_TRUE(next.offer());
    EXPECT_EQ(next.data.documentPath(), touched);
    EXPECT_FALSE(next.data.asksBeforeReplacing());
}

TEST_F(Recovery, DecliningAQuestionWhileRestoringStopsRestoringButNeverEndsTheProgram) {
    TrainData source;
    source.setText(txtPer(0), QStringLiteral("6"));
    // Whole as written, but its text ends early: reading it asks.
    const QByteArray body = trainFileText(source).toUtf8().left(40);
    const QString copy =
        plantCopy(QStringLiteral("short.recovery"), copyWithBody(QStringLiteral("/x/s.dat"), body));

    Start start;
    start.chooser.script = [&](RecoveryOffer& offer) {
        start.prompter.script({false});
        EXPECT_NO_THROW(EXPECT_FALSE(offer.restore(0)));
        EXPECT_EQ(start.prompter.count(), 1);
        EXPECT_FALSE(offer.isDone());
        EXPECT_FALSE(start.data.isModified());
        EXPECT_TRUE(start.data.documentPath().isEmpty());
        offer.later();
    };
    EXPECT_FALSE(start.offer());
    EXPECT_TRUE(QFile::exists(copy));
    EXPECT_EQ(trainFileText(start.data), trainFileText(TrainData()));
    EXPECT_TRUE(start.keeper.copyPath().isEmpty()); // nothing half-read is kept

    Start next; // yes to everything
    next.chooser.script = [&](RecoveryOffer& offer) { EXPECT_TRUE(offer.restore(0)); };
    EXPECT_TRUE(next.offer());
    EXPECT_LE(next.prompter.count(), MaxQuestionsPerOpen);
    EXPECT_EQ(next.data.documentPath(), QStringLiteral("/x/s.dat"));
}

TEST_F(Recovery, LockHeldElsewhereHidesItsCopyAnEmptyOrGarbageLockDoesNot) {
    const QString held = leftCopy(QStringLiteral("/x/held.dat"), QStringLiteral("1"));
    const QString empty = leftCopy(QStringLiteral("/x/empty.dat"), QStringLiteral("2"));
    const QString garbage = leftCopy(QStringLiteral("/x/garbage.dat"), QStringLiteral("3"));
    const auto lock = FileLock::tryLock(held + QStringLiteral(".lock")); // another open file
    ASSERT_TRUE(lock);
    writeWholeFile(empty + QStringLiteral(".lock"), QByteArray());
    writeWholeFile(garbage + QStringLiteral(".lock"),
                   "99999\nother-host\n" + QByteArray(4096, '\xff'));
    const QString orphan = RecoveryKeeper::folder() + QStringLiteral("/gone.recovery.lock");
    writeWholeFile(orphan, QByteArray());

    Start start;
    EXPECT_FALSE(start.offer());
    EXPECT_EQ(start.chooser.shownFiles,
              (QStringList{QStringLiteral("/x/garbage.dat"), QStringLiteral("/x/empty.dat")}));
    EXPECT_FALSE(QFile::exists(orphan)); // a lock without its copy is cleaned up
    EXPECT_TRUE(QFile::exists(held + QStringLiteral(".lock")));
}

TEST_F(Recovery, PlantedLinkAtTheCopyNameIsReplacedNotFollowed) {
    QTemporaryDir files;
    const QString victim = writtenFile(files, "victim.txt", "precious");
    TrainData data;
    RecoveryKeeper keeper(data);
    data.setText(txtPer(0), QStringLiteral("1"));
    ASSERT_TRUE(keeper.writeNow());
    ASSERT_TRUE(QFile::remove(keeper.copyPath()));
    ASSERT_TRUE(QFile::link(victim, keeper.copyPath()));
    data.setText(txtPer(0), QStringLiteral("2"));
    EXPECT_TRUE(keeper.writeNow());
    EXPECT_EQ(bytesOf(victim), QByteArray("precious"));
    EXPECT_FALSE(QFileInfo(keeper.copyPath()).isSymLink());
    EXPECT_EQ(copyAt(keeper.copyPath()).text, trainFileText(data));
}

TEST_F(Recovery, FolderThatIsALinkOrAnotherUsersTurnsRecoveryOffWithOneNotice) {
    // The user's own folder with a loose mode is corrected, not refused.
    ASSERT_TRUE(QDir().mkpath(RecoveryKeeper::folder()));
    ASSERT_EQ(::chmod(QFile::encodeName(RecoveryKeeper::folder()).constData(), 0755), 0);
    {
        Start start;
        start.offer();
        EXPECT_TRUE(start.notices.isEmpty());
        struct stat status;
        ASSERT_EQ(::lstat(QFile::encodeName(RecoveryKeeper::folder()).constData(), &status), 0);
        EXPECT_EQ(status.st_mode & 07777, 0700u);
    }
    ASSERT_TRUE(QDir().rmdir(RecoveryKeeper::folder()));

    QTemporaryDir elsewhere;
    ASSERT_TRUE(QFile::link(elsewhere.path(), RecoveryKeeper::folder()));
    {
        Start start;
        EXPECT_FALSE(start.offer());
        start.type(QStringLiteral("1"));
        EXPECT_FALSE(start.keeper.writeNow());
        start.type(QStringLiteral("2"));
        EXPECT_FALSE(start.keeper.writeNow());
        QCoreApplication::processEvents();
        ASSERT_EQ(start.notices.size(), 1);
        EXPECT_TRUE(start.notices[0].contains(QStringLiteral("シンボリックリンク")));
        EXPECT_EQ(start.chooser.windows, 0);
    }
    EXPECT_TRUE(QDir(elsewhere.path()).isEmpty());
    ASSERT_TRUE(QFile::remove(RecoveryKeeper::folder()));

    if (::geteuid() != 0)
        GTEST_SKIP() << "giving a folder to another user needs root";
    ASSERT_TRUE(QDir().mkdir(RecoveryKeeper::folder()));
    ASSERT_EQ(::chown(QFile::encodeName(RecoveryKeeper::folder()).constData(), 65534, 65534), 0);
    ASSERT_EQ(::chmod(QFile::encodeName(RecoveryKeeper::folder()).constData(), 0777), 0);
    Start start;
    EXPECT_FALSE(start.offer());
    start.type(QStringLiteral("1"));
    EXPECT_FALSE(start.keeper.writeNow());
    QCoreApplication::processEvents();
    ASSERT_EQ(start.notices.size(), 1);
    EXPECT_TRUE(start.notices[0].contains(QStringLiteral("所有者")));
    EXPECT_TRUE(QDir(RecoveryKeeper::folder()).isEmpty());
}

TEST_F(Recovery, CopyThatCannotBeWrittenIsToldOnceAndAgainAfterASuccess) {
    Start start;
    start.type(QStringLiteral("1"));
    ASSERT_TRUE(start.keeper.writeNow());
    const QString copy = start.keeper.copyPath();
    auto block = [&] { ASSERT_TRUE(QFile::remove(copy) && QDir().mkdir(copy)); };
    auto unblock = [&] { ASSERT_TRUE(QDir().rmdir(copy)); };
    auto edit = [&, n = 10]() mutable {
        start.type(QString::number(n++));
        const bool ok = start.keeper.writeNow();
        QCoreApplication::processEvents(); // the writer's report
        return ok;
    };

    block();
    EXPECT_FALSE(edit());
    EXPECT_FALSE(edit());
    EXPECT_FALSE(edit());
    EXPECT_EQ(start.notices.size(), 1);
    unblock();
    EXPECT_TRUE(edit());
    EXPECT_EQ(start.notices.size(), 1);
    block();
    EXPECT_FALSE(edit());
    ASSERT_EQ(start.notices.size(), 2);
    EXPECT_TRUE(start.notices[1].contains(QStringLiteral("保存していない変更は失われます")));
    unblock();
}

TEST_F(Recovery, FiveHundredCopiesMakeOneWindow) {
    TrainData source;
    for (int i = 0; i < 500; ++i) {
        source.setText(txtPer(0), QString::number(i));
        source.setDocumentPath(QStringLiteral("/x/%1.dat").arg(i));
        plantCopy(QStringLiteral("%1.recovery").arg(i),
                  recoveryCopyBytes(source, QDateTime::fromSecsSinceEpoch(1700000000 + i)));
    }
    Start start;
    start.chooser.script = [](RecoveryOffer& offer) {
        EXPECT_EQ(offer.count(), 500);
        EXPECT_EQ(offer.documentPath(0), QStringLiteral("/x/499.dat"));
        offer.later();
    };
    EXPECT_FALSE(start.offer());
    EXPECT_EQ(start.chooser.windows, 1);
    EXPECT_EQ(start.prompter.count(), 0);
}
