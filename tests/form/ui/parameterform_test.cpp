#include "app/uifont.h"
#include "document/traindata.h"
#include "form/ui/panelframe.h"
#include "form/ui/parameterform.h"
#include "support/widgettests.h"

#include <QCheckBox>
#include <QComboBox>
#include <QInputMethodEvent>
#include <QLabel>

#include <algorithm>
#include <memory>

using namespace Orlenda;

namespace {

// The form as the editor shows it: with the editor's own font.
class ParameterFormTest : public testing::Test {
protected:
    void SetUp() override {
        QApplication::setFont(japaneseUiFont());
        mHost = std::make_unique<QWidget>(); // after the font: a font change builds list popups
        mForm = new ParameterForm(mData, mHost.get());
        mHost->resize(mForm->sizeHint());
        mHost->show();
        mHost->activateWindow();
        QApplication::setActiveWindow(mHost.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(mHost.get()));
    }
    void TearDown() override {
        mHost.reset();
        QApplication::setFont(mFont);
    }

    QLineEdit* field(TextId id) const { return mForm->field(id); }
    QComboBox* list(ListId id) const { return mForm->list(id); }

    void typeInto(TextId id, const QString& text) { typeOver(field(id), text); }

    // Steps through the closed list with the arrow keys, as a user may.
    void pick(ListId id, int index) {
        QComboBox* combo = list(id);
        ASSERT_TRUE(combo->isEnabled());
        combo->setFocus(Qt::TabFocusReason);
        while (combo->currentIndex() != index) {
            const int before = combo->currentIndex();
            QTest::keyClick(combo, before < index ? Qt::Key_Down : Qt::Key_Up);
            ASSERT_NE(combo->currentIndex(), before);
        }
    }

    const QFont mFont = QApplication::font();
    TrainData mData;
    std::unique_ptr<QWidget> mHost;
    ParameterForm* mForm = nullptr;
};

std::string nameOf(const QWidget* w) {
    return w->objectName().toStdString();
}

} // namespace

TEST_F(ParameterFormTest, EnterFinishesTheEntryThroughTheHiddenButton) {
    for (const auto& [id, typed, key] :
         {std::tuple{txtMove(2), "5000", Qt::Key_Return}, {txtCar(3), "0", Qt::Key_Enter}}) {
        typeInto(id, typed);
        QTest::keyClick(field(id), key);
        EXPECT_TRUE(namedChild(*mForm, "cmdDummy")->hasFocus()) << typed;
    }
    EXPECT_EQ(field(txtMove(2))->text(), "3000");
    EXPECT_EQ(list(cbxHead)->currentText(), "M車");
}

TEST_F(ParameterFormTest, TypedTextIsInTheDocumentWhileTheFieldKeepsFocus) {
    typeInto(txtPer(0), "12abc");
    EXPECT_TRUE(field(txtPer(0))->hasFocus());
    EXPECT_EQ(mData.text(txtPer(0)), "12abc");
    // A menu or another window taking the focus does not finish the entry.
    for (Qt::FocusReason reason : {Qt::PopupFocusReason, Qt::MenuBarFocusReason, Qt::ActiveWindowFocusReason}) {
        QFocusEvent out(QEvent::FocusOut, reason);
        QApplication::sendEvent(field(txtPer(0)), &out);
    }
    EXPECT_EQ(mData.text(txtPer(0)), "12abc");
    field(txtPer(1))->setFocus(Qt::MouseFocusReason);
    EXPECT_EQ(mData.text(txtPer(0)), "12");
}

// The list rules themselves are pinned by the TrainData tests; here picks and
// clicks reach the document and the controls show what it holds.
TEST_F(ParameterFormTest, ControlsFollowTheDocumentAndItsRules) {
    pick(cbxBrkSend, 2);
    EXPECT_EQ(mData.listIndex(cbxBrkSend), 2);
    EXPECT_EQ(list(cbxBrkElcAir)->currentText(), "無し");
    EXPECT_FALSE(list(cbxBrkElcAir)->isEnabled());
    clickIndicator(mForm->checkBox(3));
    EXPECT_TRUE(mData.check(chkDevice(3)));
    EXPECT_EQ(list(cbxHandle(2))->itemText(3), "7ノッチ");

    mData.setText(txtPoint(1), "1234");
    mData.setListIndex(cbxDevice(1), 3);
    EXPECT_EQ(field(txtPoint(1))->text(), "1234");
    EXPECT_EQ(list(cbxDevice(1))->currentText(), "タイプD");
    typeInto(txtCar(0), "99");
    mData.newDocument();
    EXPECT_EQ(field(txtCar(0))->text(), "35");
    EXPECT_FALSE(mForm->checkBox(3)->isChecked());
    EXPECT_EQ(list(cbxDevice(1))->currentIndex(), 0);
    EXPECT_TRUE(list(cbxBrkElcAir)->isEnabled());
    EXPECT_EQ(list(cbxBrkElcAir)->currentText(), "締切電磁弁");
}

TEST_F(ParameterFormTest, TabVisitsTheControlsInOrderAndLabelsFitBesideThem) {
    const QStringList expected = QStringLiteral(
        "cmdAcc txtPer(0) txtPer(1) txtDelay(0) txtDelay(1) txtDelay(4) txtDelay(5) "
        "txtDelay(2) txtDelay(3) txtMove(0) txtMove(1) txtMove(2) txtMove(3) txtMove(4) "
        "txtMove(5) cbxBrkSend cbxBrkElcAir txtElcStop txtPrs(0) txtPrs(1) txtPrs(2) "
        "txtPrs(3) cbxHandle(0) cbxHandle(1) cbxHandle(2) txtNotchDown txtCar(0) txtCar(1) "
        "txtCar(2) txtCar(3) txtCar(4) cbxHead chkDevice(0) cbxDevice(0) chkDevice(1) "
        "chkDevice(2) chkDevice(3) cbxDevice(1) txtAdaptLoad cbxDevice(2) txtPoint(0) "
        "txtPoint(1) txtPoint(2) cmdMotor").split(u' ');
    QStringList chain;
    QWidget* w = mForm->findChild<QWidget*>("cmdAcc");
    for (int guard = 0; guard < 500 && chain.size() < expected.size(); ++guard) {
        if (expected.contains(w->objectName()) && !chain.contains(w->objectName()))
            chain.append(w->objectName());
        w = w->nextInFocusChain();
    }
    EXPECT_EQ(chain, expected);

    // With the brake lists greyed by default, Tab skips them.
    field(txtPrs(3))->setFocus(Qt::TabFocusReason);
    QTest::keyClick(field(txtPrs(3)), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), list(cbxHandle(1)));

    // The labels beside the fields have room for their text.
    constexpr int MinimumGap = 2;
    for (QLabel* label : mForm->findChildren<QLabel*>()) {
        const QString name = label->objectName().section(u':', 1);
        if (name.isEmpty())
            continue;
        const QWidget* w = namedChild(*mForm, name);
        const int textWidth = label->fontMetrics().horizontalAdvance(label->text());
        EXPECT_LE(textWidth, label->width()) << nameOf(label);
        EXPECT_LE(label->fontMetrics().height(), label->height()) << nameOf(label);
        if (label->geometry().right() < w->geometry().left()) { // a caption: room before w
            EXPECT_LE(label->x() + textWidth + MinimumGap, w->x()) << nameOf(label);
        }
    }
    EXPECT_FALSE(mForm->findChild<QPushButton*>("cmdAcc")->isEnabled());
    EXPECT_FALSE(mForm->findChild<QPushButton*>("cmdMotor")->isEnabled());
    EXPECT_FALSE(mForm->rect().intersects(mForm->findChild<QPushButton*>("cmdDummy")->geometry()));
}

TEST_F(ParameterFormTest, LongValuesShowTheirStartAndWholeTextAsToolTip) {
    QLineEdit* adhesion = field(txtPer(1));
    typeInto(txtPer(1), "123.456789");
    QTest::keyClick(adhesion, Qt::Key_Tab);
    EXPECT_EQ(adhesion->text(), "123.456789");
    EXPECT_EQ(adhesion->cursorPosition(), 0);
    EXPECT_LT(adhesion->inputMethodQuery(Qt::ImCursorRectangle).toRect().center().x(),
              adhesion->width() / 2);
    EXPECT_EQ(adhesion->toolTip(), "123.456789");

    // Filled from the document.
    mData.setText(txtPer(0), QStringLiteral("1.23456789012345E+19"));
    EXPECT_EQ(field(txtPer(0))->cursorPosition(), 0);
    EXPECT_EQ(field(txtPer(0))->toolTip(), "1.23456789012345E+19");

    // A value that fits needs no tool tip.
    mData.setText(txtPer(1), QStringLiteral("0.35"));
    EXPECT_TRUE(adhesion->toolTip().isEmpty());
    // What a Japanese input method in full-width mode commits.
    typeInto(txtMove(0), QString());
    QInputMethodEvent commit;
    commit.setCommitString(QStringLiteral("３００"));
    QApplication::sendEvent(field(txtMove(0)), &commit);
    EXPECT_EQ(mData.text(txtMove(0)), QStringLiteral("３００"));
    QTest::keyClick(field(txtMove(0)), Qt::Key_Tab);
    EXPECT_EQ(field(txtMove(0))->text(), "300");
}

TEST_F(ParameterFormTest, EachPanelIsFramedAtItsRectangleWithItsControlsInside) {
    // At 15 twips to the pixel, in creation order.
    const std::pair<const char*, QRect> panels[] = {
        {"性能", {8, 8, 233, 73}},        {"反応性", {8, 88, 105, 169}},
        {"機敏性", {128, 88, 113, 169}},  {"ハンドル", {8, 264, 185, 129}},
        {"ブレーキ", {256, 8, 169, 105}}, {"圧力", {256, 128, 169, 129}},
        {"編成", {208, 264, 217, 129}},   {"装置", {440, 8, 121, 249}},
        {"運転台", {440, 264, 121, 105}}};
    const QList<PanelFrame*> frames = mForm->findChildren<PanelFrame*>();
    ASSERT_EQ(frames.size(), std::size(panels));
    for (const auto& [caption, rect] : panels) {
        const auto found = std::find_if(frames.begin(), frames.end(), [&](PanelFrame* p) {
            return p->title() == QString::fromUtf8(caption); });
        ASSERT_NE(found, frames.end()) << caption;
        PanelFrame* frame = *found;
        EXPECT_EQ(frame->geometry(), rect) << caption;
        const PanelFrameGeometry g = frame->frameParts();
        // The caption stands in the top line, wholly inside the frame.
        EXPECT_LT(g.lineTop, g.caption.bottom());
        EXPECT_GT(g.lineTop, g.caption.top());
        EXPECT_LE(g.caption.right() + PanelCaptionPadding, g.inner.right());
        for (QWidget* child : frame->findChildren<QWidget*>()) {
            EXPECT_TRUE(g.inner.contains(child->geometry())) << caption << " " << nameOf(child);
            EXPECT_GT(child->geometry().top(), g.caption.bottom()) << nameOf(child);
        }
        // Lines along the edges, broken around the caption, nothing above the top line.
        const QImage image = frame->grab().toImage();
        const QRgb dark = frame->palette().color(QPalette::Dark).rgb();
        const int w = image.width(), h = image.height(), middle = (g.lineTop + h) / 2;
        for (const QPoint p : {QPoint(0, middle), QPoint(w - 2, middle), QPoint(w / 2, h - 2),
                               QPoint(2, g.lineTop), QPoint(w - 3, g.lineTop)})
            EXPECT_EQ(image.pixel(p), dark) << caption << " " << p.x() << "," << p.y();
        for (const QPoint p : {QPoint(g.gapLeft, g.lineTop), QPoint(g.gapRight, g.lineTop), QPoint(0, g.lineTop - 1)})
            EXPECT_NE(image.pixel(p), dark) << caption << " " << p.x() << "," << p.y();
    }
}

TEST_F(ParameterFormTest, APanelCaptionIsDrawnAndFollowsANewFont) {
    PanelFrame* frame = mForm->findChildren<PanelFrame*>().first();
    auto captionInk = [&](const PanelFrameGeometry& g) {
        const QImage image = frame->grab().toImage();
        const QRgb ink = frame->palette().color(QPalette::WindowText).rgb();
        int count = 0;
        for (int y = g.caption.top(); y <= g.caption.bottom(); ++y)
            for (int x = g.caption.left(); x <= g.caption.right(); ++x)
                count += image.pixel(x, y) == ink;
        return count;
    };
    const PanelFrameGeometry before = frame->frameParts();
    EXPECT_GT(captionInk(before), 0);
    // The caption laid out for the old font must not outlive it.
    QFont larger = frame->font();
    larger.setPointSize(larger.pointSize() * 2);
    frame->setFont(larger);
    const PanelFrameGeometry after = frame->frameParts();
    EXPECT_GT(after.caption.width(), before.caption.width() * 3 / 2);
    EXPECT_GT(after.caption.height(), before.caption.height());
    EXPECT_GT(captionInk(after), captionInk(before));
}
