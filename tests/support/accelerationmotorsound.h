#pragma once

// Helpers shared by the acceleration and motor-sound window tests.

#include "app/mainwindow.h"
#include "document/traindata.h"
#include "support/nochooser.h"
#include "support/scriptedprompter.h"
#include "support/widgettests.h"

#include <QApplication>
#include <QDialog>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

namespace Orlenda {

// The main window on a new document, shown and active, for opening a sub-editor.
class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        main.show();
        main.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&main));
    }
    // Clicks the button and runs inside from the modal window's own event loop,
    // then closes that window if inside left it open.
    template <typename W> void openAnd(const char* button, const std::function<void(W&)>& inside) {
        bool ran = false;
        QTimer::singleShot(0, &main, [&] {
            auto* w = qobject_cast<W*>(QApplication::activeModalWidget());
            ASSERT_NE(w, nullptr);
            EXPECT_TRUE(w->isModal());
            EXPECT_EQ(w->parentWidget(), &main);
            w->activateWindow();
            EXPECT_TRUE(QTest::qWaitFor([w] { return QApplication::activeWindow() == w; }));
            inside(*w);
            ran = true;
            if (w->isVisible())
                w->reject();
        });
        QPushButton* b = namedChild<QPushButton>(main, QString::fromLatin1(button));
        ASSERT_TRUE(b && b->isEnabled());
        QTest::mouseClick(b, Qt::LeftButton);
        EXPECT_TRUE(ran);
    }

    TrainData data;
    ScriptedPrompter prompter;
    NoChooser chooser;
    MainWindow main{data, prompter, chooser};
};

} // namespace Orlenda
