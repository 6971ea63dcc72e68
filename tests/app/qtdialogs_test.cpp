#include "app/filechooser.h"
#include "app/messageboxprompter.h"
#include "shared/ui/imagesaving.h"
#include "shared/ui/nameonlyiconprovider.h"
#include "app/qttranslation.h"
#include "document/openfile.h"
#include "document/traindata.h"
#include "shared/prompter.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QMessageBox>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTranslator>
#include <gtest/gtest.h>

using namespace Orlenda;

TEST(QtJapanese, PromptsSpeakJapanese) {
    if (!QFile::exists(qtJapaneseTranslationFile()))
        GTEST_SKIP() << "no Qt Japanese translation; scripts/test installs qt6-translations-l10n";
    QTranslator* translator = installQtJapanese(*QCoreApplication::instance());
    ASSERT_NE(translator, nullptr);

    QStringList buttons;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        const QRegularExpression mnemonic(QStringLiteral("\\(&.\\)|&"));
        for (auto b : {QMessageBox::Yes, QMessageBox::No})
            buttons << box->button(b)->text().remove(mnemonic);
        box->button(QMessageBox::No)->click();
    });
    MessageBoxPrompter prompter;
    EXPECT_FALSE(
        prompter.ask(QStringLiteral("Orlenda - Save"), QStringLiteral("?"), Prompter::Icon::Error));
    // The file dialogs read the same translation.
    EXPECT_EQ(buttons, (QStringList{QStringLiteral("はい"), QStringLiteral("いいえ")}));

    QCoreApplication::removeTranslator(translator);
    delete translator;
}

TEST(MessageBoxPrompter, EnterKeepsTheChangesTheDiscardQuestionWouldDrop) {
    QString text;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        text = box->text();
        QTest::keyClick(box, Qt::Key_Return);
    });
    MessageBoxPrompter prompter;
    EXPECT_FALSE(prompter.askToDiscardChanges());
    EXPECT_EQ(text, QStringLiteral("変更を破棄して閉じますか？"));
}

TEST(NameOnlyIconProvider, TellsTypesByNameWithoutReadingTheFile) {
    QTemporaryDir dir;
    // Content that a content-sniffing provider would call a PDF document.
    for (const char* name : {"plain", "curve.png"}) {
        QFile file(dir.filePath(QString::fromLatin1(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("%PDF-1.4\n%\xE2\xE3\xCF\xD3\n");
    }
    NameOnlyIconProvider names;
    QFileIconProvider sniffer;
    const QFileInfo plain(dir.filePath(QStringLiteral("plain")));
    ASSERT_NE(sniffer.type(plain), names.type(plain)) << "the sniffer should read the content";
    EXPECT_FALSE(names.type(plain).contains(QStringLiteral("PDF")));
    const QFileInfo png(dir.filePath(QStringLiteral("curve.png")));
    EXPECT_TRUE(names.type(png).contains(QStringLiteral("PNG"))) << names.type(png).toStdString();
    EXPECT_EQ(names.type(QFileInfo(dir.path())), sniffer.type(QFileInfo(dir.path())));
    // Every dialog takes its icons from names only; the sub-editors' picture dialogs list folders too.
    DialogFileChooser chooser;
    const std::unique_ptr<QFileDialog> dialogs[] = {chooser.makeDialog(nullptr, QFileDialog::AcceptOpen),
                                                    chooser.makeDialog(nullptr, QFileDialog::AcceptSave),
                                                    pngSaveDialog(nullptr, QStringLiteral("plot.png"))};
    for (const auto& dialog : dialogs)
        EXPECT_NE(dynamic_cast<const NameOnlyIconProvider*>(dialog->iconProvider()), nullptr);
}

TEST(FileDialogs, SaveAsAddsDatToANameWithoutExtensionAndAsksBeforeReplacing) {
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
    QTemporaryDir dir;
    QFile(dir.filePath(QStringLiteral("old.dat"))).open(QIODevice::WriteOnly);
    DialogFileChooser chooser;
    QStringList asked;
    auto saveAs = [&](const QString& typed) {
        QTimer::singleShot(0, [&, typed] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            // The confirmation runs inside accept(): answered from its own loop.
            QTimer::singleShot(0, [&] {
                if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                    asked << box->text();
                    box->button(QMessageBox::Yes)->click();
                }
            });
            dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(dir.filePath(typed));
            static_cast<QDialog*>(dialog)->accept();
        });
        return QFileInfo(chooser.saveFileName(nullptr)).fileName();
    };
    EXPECT_EQ(saveAs(QStringLiteral("fresh")), QStringLiteral("fresh.dat"));
    EXPECT_EQ(saveAs(QStringLiteral("notes.txt")), QStringLiteral("notes.txt"));
    EXPECT_EQ(saveAs(QStringLiteral("old")), QStringLiteral("old.dat"));
    ASSERT_EQ(asked.size(), 1); // for the existing file only
    EXPECT_TRUE(asked.first().contains(QStringLiteral("old.dat"))) << asked.first().toStdString();
}

TEST(FileDialogs, TheReferenceIsChosenUnderItsOwnTitle) {
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
    DialogFileChooser chooser;
    QString title;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        title = dialog->windowTitle();
        dialog->reject();
    });
    EXPECT_EQ(chooser.openReferenceName(nullptr), QString());
    EXPECT_EQ(title, QStringLiteral("比較ファイルを開く"));
}

TEST(MessageBoxPrompter, AllContinueAnswersTheRestOfTheReadAndBoxesFitTheirTitles) {
    QList<std::pair<int, int>> widths; // box, title
    QTimer clicker;
    QObject::connect(&clicker, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            widths << std::pair{box->width(), box->fontMetrics().horizontalAdvance(box->windowTitle())};
            QAbstractButton* all = box->button(QMessageBox::YesToAll);
            // Alt+A answers it from the keyboard.
            EXPECT_EQ(all ? all->text() : QStringLiteral("すべて続行(&A)"),
                      QStringLiteral("すべて続行(&A)"));
            (all ? all : box->button(QMessageBox::Yes))->click();
        }
    });
    clicker.start(0);
    MessageBoxPrompter prompter;
    TrainData data;
    openFile(data, QStringLiteral(ORLENDA_TEST_DATA "/many-questions.dat"), prompter);
    EXPECT_EQ(widths.size(), 1);
    EXPECT_FALSE(data.documentPath().isEmpty());
    // Outside a read two answers; a long title fits.
    EXPECT_TRUE(prompter.ask(errorPromptCaption(QStringLiteral("pbxMain_MouseMove")),
                             QStringLiteral("x"), Prompter::Icon::Error));
    ASSERT_EQ(widths.size(), 2);
    for (const auto& [box, title] : widths)
        EXPECT_GE(box, title);
}
