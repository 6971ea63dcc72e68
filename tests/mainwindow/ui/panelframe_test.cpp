#include "app/uifont.h"
#include "document/traindata.h"
#include "mainwindow/formlayout.h"
#include "mainwindow/ui/panelframe.h"
#include "mainwindow/ui/parameterform.h"

#include <QApplication>
#include <QLabel>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>

using namespace Orlenda;

namespace {

// The form as the editor shows it: with the editor's own font.
class PanelFrameTest : public testing::Test {
protected:
    void SetUp() override {
        mFont = QApplication::font();
        QApplication::setFont(japaneseUiFont());
        mForm = std::make_unique<ParameterForm>(mData);
        mForm->resize(mForm->sizeHint());
        mForm->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(mForm.get()));
    }
    void TearDown() override {
        mForm.reset();
        QApplication::setFont(mFont);
    }

    PanelFrame* panel(const QString& caption) const {
        for (PanelFrame* p : mForm->findChildren<PanelFrame*>()) {
            if (p->title() == caption)
                return p;
        }
        return nullptr;
    }

    QFont mFont;
    TrainData mData;
    std::unique_ptr<ParameterForm> mForm;
};

std::string nameOf(const QWidget* w) {
    return w->objectName().toStdString();
}

} // namespace

TEST_F(PanelFrameTest, EachPanelIsFramedAtItsRectangleWithItsControlsInside) {
    ASSERT_EQ(mForm->findChildren<PanelFrame*>().size(), PanelCount);
    for (const PanelLayout& layout : panelLayouts()) {
        PanelFrame* frame = panel(layout.caption);
        ASSERT_NE(frame, nullptr) << layout.caption.toStdString();
        EXPECT_EQ(frame->geometry(), twipsToPixels(layout.rect)) << layout.caption.toStdString();
        const PanelFrameGeometry g = frame->frameParts();
        // The caption stands in the top line, wholly inside the frame.
        EXPECT_LT(g.lineTop, g.caption.bottom());
        EXPECT_GT(g.lineTop, g.caption.top());
        EXPECT_LE(g.caption.right() + PanelCaptionPadding, g.inner.right());
        for (QWidget* child : frame->findChildren<QWidget*>()) {
            EXPECT_TRUE(g.inner.contains(child->geometry()))
                << layout.caption.toStdString() << " " << nameOf(child);
            EXPECT_GT(child->geometry().top(), g.caption.bottom()) << nameOf(child);
        }
    }
}

TEST_F(PanelFrameTest, LabelsHoldTheirTextWithRoomBeforeTheirControls) {
    constexpr int MinimumGap = 2;
    for (const ControlLayout& c : controlLayouts()) {
        const QString name = controlName(c);
        QWidget* control = mForm->findChild<QWidget*>(name);
        ASSERT_NE(control, nullptr);
        for (const char* prefix : {"lblCaption:", "lblUnit:"}) {
            auto* label = mForm->findChild<QLabel*>(QString::fromLatin1(prefix) + name);
            if (!label)
                continue;
            const int textWidth = label->fontMetrics().horizontalAdvance(label->text());
            EXPECT_LE(textWidth, label->width()) << nameOf(label);
            EXPECT_LE(label->fontMetrics().height(), label->height()) << nameOf(label);
            const bool leftOfControl = label->geometry().right() < control->geometry().left();
            if (leftOfControl) {
                EXPECT_LE(label->x() + textWidth + MinimumGap, control->x()) << nameOf(label);
            }
        }
    }
}

TEST_F(PanelFrameTest, FrameLinesRunAlongTheEdgesAndBreakForTheCaption) {
    PanelFrame* frame = panel(QStringLiteral("ハンドル"));
    ASSERT_NE(frame, nullptr);
    const QImage image = frame->grab().toImage();
    const PanelFrameGeometry g = frame->frameParts();
    const QRgb dark = frame->palette().color(QPalette::Dark).rgb();
    const int w = image.width();
    const int h = image.height();
    const int middle = (g.lineTop + h) / 2;
    EXPECT_EQ(image.pixel(0, middle), dark);
    EXPECT_EQ(image.pixel(w - 2, middle), dark);
    EXPECT_EQ(image.pixel(w / 2, h - 2), dark);
    EXPECT_EQ(image.pixel(2, g.lineTop), dark);
    EXPECT_EQ(image.pixel(w - 3, g.lineTop), dark);
    // The break around the caption, and nothing of the frame above its top line.
    EXPECT_NE(image.pixel(g.gapLeft, g.lineTop), dark);
    EXPECT_NE(image.pixel(g.gapRight, g.lineTop), dark);
    EXPECT_NE(image.pixel(0, g.lineTop - 1), dark);
}
