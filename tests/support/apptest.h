#pragma once

// What the tests of tests/app share: a scripted file chooser, train files to
// open, drops as the desktop delivers them, and a main window over a fresh
// document.

#include "app/filechooser.h"
#include "app/mainwindow.h"
#include "document/openfile.h"
#include "document/textfile.h"
#include "document/traindata.h"
#include "document/trainfilewriter.h"
#include "shared/windowplacement.h"
#include "support/scriptedprompter.h"
#include "support/showncaption.h"
#include "support/widgettests.h"

#include <QAction>
#include <QMimeData>
#include <QSettings>
#include <QUrl>
#include <functional>

namespace Orlenda {

// Answers the file dialogs from scripted names; cancels once they run out.
class ScriptedChooser : public FileChooser {
public:
    QStringList openNames;
    QStringList saveNames;
    int saveAsked = 0;
    QString openFileName(QWidget*) override {
        return openNames.isEmpty() ? QString() : openNames.takeFirst();
    }
    QString saveFileName(QWidget*) override {
        ++saveAsked;
        return saveNames.isEmpty() ? QString() : saveNames.takeFirst();
    }
};

inline QSettings placementStore() {
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, settingsApplication(),
                     settingsApplication());
}

// Whether the window placement has been written (the store holds the recent
// files too).
inline bool placementWritten() {
    QSettings store = placementStore();
    store.beginGroup(settingsSection());
    return !store.allKeys().isEmpty();
}

// Writes a train file whose deceleration is the given text.
inline QString writeTrainFile(const QString& path, const QString& deceleration) {
    TrainData source;
    source.setText(txtPer(0), deceleration);
    writeWholeFile(path, encodeShiftJis(trainFileText(source)));
    return path;
}

// The deceleration a train file holds, as the editor would open it without a
// complaint.
inline QString decelerationIn(const QString& path) {
    TrainData data;
    ScriptedPrompter quiet;
    openFile(data, path, quiet);
    EXPECT_EQ(quiet.count(), 0) << "reading " << path.toStdString();
    return data.documentPath().isEmpty() ? QString() : data.text(txtPer(0));
}

// A drag entering target, then the drop.
inline void dropOn(QWidget* target, const QMimeData* mime) {
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &enter);
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &drop);
}

// The main window over a fresh document, with nothing in the placement store.
template <class Base = ::testing::Test>
class MainWindowFixture : public Base {
protected:
    void SetUp() override { placementStore().clear(); }

    void trigger(const char* action) { window.action(QString::fromLatin1(action))->trigger(); }
    QString file(const char* name) const { return dir.filePath(QString::fromUtf8(name)); }
    void showActive() {
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }
    // Clicks the button and runs inside from the modal window's own event loop,
    // then closes that window if inside left it open.
    template <typename W> void openAnd(const char* button, const std::function<void(W&)>& inside) {
        bool ran = false;
        QTimer::singleShot(0, &window, [&] {
            auto* w = qobject_cast<W*>(QApplication::activeModalWidget());
            ASSERT_NE(w, nullptr);
            EXPECT_EQ(w->parentWidget(), &window);
            w->activateWindow();
            EXPECT_TRUE(QTest::qWaitFor([w] { return QApplication::activeWindow() == w; }));
            inside(*w);
            ran = true;
            if (w->isVisible())
                w->reject();
        });
        auto* b = namedChild<QPushButton>(window, QString::fromLatin1(button));
        ASSERT_TRUE(b && b->isEnabled());
        QTest::mouseClick(b, Qt::LeftButton);
        EXPECT_TRUE(ran);
    }

    QTemporaryDir dir;
    TrainData data;
    ScriptedPrompter prompter;
    ScriptedChooser chooser;
    MainWindow window{data, prompter, chooser};
};

} // namespace Orlenda
