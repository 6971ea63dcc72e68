#include "shared/ui/subeditorframe.h"
#include "shared/workingcopyhistory.h"
#include "support/scriptedprompter.h"
#include "support/widgettests.h"

#include <QMenu>
#include <QSignalSpy>
#include <optional>
#include <utility>

using namespace Orlenda;

namespace {

// The smallest sub-editor: a number as its working copy, typing as the edit
// under way, OK writing the number back.
class NumberEditor : public SubEditorFrame {
public:
    NumberEditor(int& document, Prompter& prompter)
        : SubEditorFrame(prompter, nullptr, Qt::Dialog), mDocument(document), mCopy(document) {
        menu = new QMenu(this);
        QAction* last = menu->addAction(QStringLiteral("画像を保存..."));
        addHistoryActions(menu, last, QStringLiteral("mnuUndo"), QStringLiteral("mnuRedo"));
        ok = new QPushButton(QStringLiteral("OK"), this);
        connect(ok, &QPushButton::clicked, this, [this] {
            mDocument = mCopy;
            accept();
        });
        cancel = new QPushButton(QStringLiteral("キャンセル"), this);
        cancel->move(0, 30);
        connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    }

    void add(int n) {
        const int before = mCopy;
        mCopy += n;
        mHistory.record(QStringLiteral("加算 %1").arg(n), before, mCopy, 0);
    }
    int copy() const { return mCopy; }

    std::optional<int> typing;
    bool failNextStep = false;
    QMenu* menu = nullptr;
    QPushButton* ok = nullptr;
    QPushButton* cancel = nullptr;

protected:
    bool hasUnwrittenChanges() const override { return mCopy + typing.value_or(0) != mDocument; }
    bool isEditUnderWay() const override { return typing.has_value(); }
    void cancelEdit() override { typing.reset(); }
    const QUndoStack& historyStack() const override { return mHistory.stack(); }
    void undoStep() override {
        if (std::exchange(failNextStep, false))
            throw ProgramEndRequested();
        mHistory.undo();
    }
    void redoStep() override { mHistory.redo(); }

private:
    int& mDocument;
    int mCopy;
    WorkingCopyHistory<int> mHistory{[this](const int& copy, int) { mCopy = copy; }};
};

class SubEditorFrameTest : public ::testing::Test {
protected:
    NumberEditor& open() {
        window = std::make_unique<NumberEditor>(document, prompter);
        window->setProgramEnder([this] { ++programEnds; });
        announced =
            std::make_unique<QSignalSpy>(window.get(), &SubEditorFrame::aboutToQuestionOrClose);
        // Whatever stops on the announcement must stop before the question shows.
        QObject::connect(window.get(), &SubEditorFrame::aboutToQuestionOrClose, window.get(),
                         [this] { questionsWhenAnnounced << prompter.count(); });
        window->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        return *window;
    }
    QString menuText(const char* name) const {
        emit window->menu->aboutToShow();
        auto* action = namedChild<QAction>(*window->menu, QString::fromLatin1(name));
        return action->isEnabled() ? action->text() : QStringLiteral("(%1)").arg(action->text());
    }

    int document = 10;
    ScriptedPrompter prompter;
    std::unique_ptr<NumberEditor> window;
    std::unique_ptr<QSignalSpy> announced;
    QList<int> questionsWhenAnnounced;
    int programEnds = 0;
};

} // namespace

TEST_F(SubEditorFrameTest, EveryPathThatQuestionsOrClosesAnnouncesItFirst) {
    // Without changes each way out closes at once, announced once.
    const std::function<void()> closings[] = {
        [this] { QTest::mouseClick(window->ok, Qt::LeftButton); },
        [this] { QTest::mouseClick(window->cancel, Qt::LeftButton); },
        [this] { QTest::keyClick(window.get(), Qt::Key_Escape); },
        [this] { window->close(); },
    };
    for (const auto& close : closings) {
        open();
        close();
        EXPECT_FALSE(window->isVisible());
        EXPECT_EQ(announced->count(), 1);
    }
    EXPECT_EQ(prompter.count(), 0);

    // With changes: announced before the question, and again before the close.
    for (const auto& close : {closings[1], closings[2], closings[3]}) {
        open().add(1);
        prompter.script({false});
        close();
        EXPECT_TRUE(window->isVisible());
        EXPECT_EQ(announced->count(), 1);
        prompter.script({true});
        close();
        EXPECT_FALSE(window->isVisible());
        EXPECT_EQ(announced->count(), 3);
    }
    EXPECT_EQ(questionsWhenAnnounced, QList<int>({0, 0, 0, 0, 0, 1, 2, 2, 3, 4, 4, 5, 6}));
    ASSERT_EQ(prompter.count(), 6);
    EXPECT_EQ(prompter.questions().last().text, QStringLiteral("変更を破棄して閉じますか？"));
    EXPECT_EQ(document, 10);
}

TEST_F(SubEditorFrameTest, EscapeAndUndoTakeBackAnEditUnderWayBeforeAnythingElse) {
    open().add(1);
    window->typing = 5;
    QTest::keyClick(window.get(), Qt::Key_Escape);
    EXPECT_FALSE(window->typing);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(announced->count(), 0);

    window->add(2);
    window->typing = 5;
    EXPECT_EQ(menuText("mnuUndo"), QStringLiteral("元に戻す"));
    QTest::keyClick(window.get(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(std::make_pair(window->typing, window->copy()),
              std::make_pair(std::optional<int>(), 13));
    EXPECT_EQ(menuText("mnuUndo"), QStringLiteral("元に戻す: 加算 2"));
    EXPECT_EQ(menuText("mnuRedo"), QStringLiteral("(やり直し)"));
    QTest::keyClick(window.get(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(window->copy(), 11);
    EXPECT_EQ(menuText("mnuRedo"), QStringLiteral("やり直し: 加算 2"));
    // Redo drops typing and makes the step again, in one go.
    window->typing = 5;
    QTest::keyClick(window.get(), Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(std::make_pair(window->typing, window->copy()),
              std::make_pair(std::optional<int>(), 13));

    // A declined failure prompt inside a step ends the program there.
    window->failNextStep = true;
    namedChild<QAction>(*window->menu, "mnuUndo")->trigger();
    EXPECT_EQ(programEnds, 1);
    EXPECT_EQ(window->copy(), 13);
}
