#include "about/aboutwindow.h"
#include "app/uifont.h"
#include "shared/appidentity.h"
#include "about/manualaddress.h"
#include "support/scriptedprompter.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

using namespace Orlenda;

TEST(AboutWindow, ShowsItsTextsInsideThePlannedWindowOpensTheLinkAndCloses) {
    // The minor version in two digits, a revision in four.
    EXPECT_EQ(versionText(1, 12, 3), QStringLiteral("Version 1.12.0003"));
    EXPECT_EQ(versionText(2, 0, 0), QStringLiteral("Version 2.00"));
    const QFont previous = QApplication::font();
    QApplication::setFont(japaneseUiFont());
    {
        QList<QUrl> opened;
        bool browserStarts = true;
        ScriptedPrompter prompter;
        AboutWindow window(nullptr, prompter, [&](const QUrl& url) {
            opened << url;
            return browserStarts;
        });
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        EXPECT_EQ(window.findChild<QLabel*>("lblVersion")->text(), QStringLiteral("Version 1.05"));
        EXPECT_FALSE(window.findChild<QLabel*>("lblCopyright")->text().isEmpty());
        EXPECT_EQ(window.size(), QSize(290, 119));
        for (const char* name : {"lblTitle", "lblVersion", "lblCopyright", "lblUrl"}) {
            auto* label = window.findChild<QLabel*>(QString::fromLatin1(name));
            ASSERT_NE(label, nullptr) << name;
            const QSize text = label->fontMetrics().size(Qt::TextSingleLine, label->text());
            EXPECT_GE(label->width(), text.width()) << name;
            EXPECT_GE(label->height(), text.height()) << name;
            EXPECT_TRUE(window.rect().contains(label->geometry())) << name;
        }
        QLabel* link = window.linkLabel();
        EXPECT_TRUE(link->font().underline());
        EXPECT_LT(link->geometry().bottom(), window.findChild<QPushButton*>("cmdOk")->y());

        // The link turns red while pressed and opens on release.
        auto colour = [&] { return link->palette().color(QPalette::WindowText); };
        EXPECT_EQ(colour(), QColor(0, 0, 255));
        QTest::mousePress(link, Qt::LeftButton, {}, QPoint(5, 5));
        EXPECT_EQ(colour(), QColor(255, 0, 0));
        EXPECT_TRUE(opened.isEmpty());
        QTest::mouseRelease(link, Qt::LeftButton, {}, QPoint(5, 5));
        EXPECT_EQ(colour(), QColor(0, 0, 255));
        ASSERT_EQ(opened.size(), 1);
        EXPECT_EQ(opened.at(0), manualUrl(QCoreApplication::applicationDirPath()));
        EXPECT_TRUE(prompter.told.isEmpty());
        // Without a browser the user is told so, once.
        browserStarts = false;
        QTest::mousePress(link, Qt::LeftButton, {}, QPoint(5, 5));
        QTest::mouseRelease(link, Qt::LeftButton, {}, QPoint(5, 5));
        ASSERT_EQ(prompter.told.size(), 1);
        EXPECT_TRUE(prompter.told.at(0).startsWith(QStringLiteral("ブラウザを起動できませんでした。")));

        for (Qt::Key key : {Qt::Key_Escape, Qt::Key_Return}) {
            window.show();
            ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
            QTest::keyClick(&window, key);
            EXPECT_FALSE(window.isVisible()) << key;
        }
    }
    QApplication::setFont(previous);
}
