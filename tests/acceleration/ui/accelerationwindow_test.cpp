#include "acceleration/ui/accelerationwindow.h"
#include "acceleration/ui/plotview.h"
#include "document/traindata.h"
#include "support/scriptedprompter.h"
#include "support/widgettests.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QMouseEvent>
#include <QSignalSpy>

using namespace Orlenda;

namespace {

class AccelerationWindowTest : public ::testing::Test {
protected:
    AccelerationWindow& open(const TrainConsist& consist = {35, 1, 30, 1}) {
        window = std::make_unique<AccelerationWindow>(data, consist, prompter, nullptr,
                                                      [this](QWidget*) { return imagePath; });
        window->setProgramEnder([this] { ++programEnds; });
        window->show();
        window->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(window.get()));
        return *window;
    }
    template <typename T = QWidget> T* child(const char* name) const {
        return namedChild<T>(*window, QString::fromLatin1(name));
    }
    // Replaces the field's text by typing, then presses the key if one is given.
    void type(NotchField field, const QString& text, Qt::Key key = Qt::Key_unknown) {
        QLineEdit* edit = window->field(field);
        typeOver(edit, QString());
        // Full-width text arrives as an input method would send it: no key code.
        if (text.at(0).unicode() > 0x7f)
            QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_unknown, text, Qt::NoModifier);
        else
            QTest::keyClicks(edit, text);
        if (key != Qt::Key_unknown)
            QTest::keyClick(edit, key);
    }
    QString text(NotchField field) const { return window->field(field)->text(); }
    QImage expectedPlot(const AccelerationTable& table, const PlotChoices& choices) {
        ScriptedPrompter quiet;
        AccelerationPlot plot;
        plot.redraw(table, window->consist(), choices, quiet);
        return plot.image();
    }
    // Moves the pointer to a point of the plot, as the window is told, and
    // returns the read-out.
    QString moveTo(double x, double y) {
        const QPointF at = window->plotView()->mapTo(window.get(), QPoint(2, 2)) + QPointF(x, y);
        QMouseEvent move(QEvent::MouseMove, at, at, window->mapToGlobal(at), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(window->windowHandle(), &move);
        return child<QLabel>("pbxStatus")->text();
    }

    TrainData data;
    ScriptedPrompter prompter;
    std::unique_ptr<AccelerationWindow> window;
    QString imagePath;
    int programEnds = 0;
};

} // namespace

TEST_F(AccelerationWindowTest, ShowsTheFirstNotchAndSavesThePlotAsPng) {
    QTemporaryDir dir;
    imagePath = dir.filePath(QStringLiteral("plot.png"));
    open();
    // Wider only where the read-out needs room for the curve's value.
    EXPECT_EQ(window->width(), std::max(450, child("pbxStatus")->geometry().right() + 2));
    EXPECT_EQ(window->minimumSize(), window->maximumSize());
    EXPECT_EQ(window->plotView()->contentsRect(), QRect(2, 2, 320, 400));
    // Enter's hidden target lies under the plot.
    auto* dummy = child<QPushButton>("cmdDammy");
    EXPECT_TRUE(dummy->isDefault());
    EXPECT_EQ(window->childAt(dummy->geometry().center()), window->plotView());
    EXPECT_EQ(text(NotchField::Accel2) + text(NotchField::Speed2) + text(NotchField::Curve),
              QStringLiteral("0.6252"));
    EXPECT_EQ(window->plotImage(), expectedPlot(data.accelerationTable(), {}));
    EXPECT_EQ(prompter.count(), 0);
    window->plotView()->saveImageAction()->trigger();
    EXPECT_EQ(QImage(imagePath).convertToFormat(QImage::Format_RGB32), window->plotImage());
}

TEST_F(AccelerationWindowTest, EnterAndChoosingAnotherNotchApplyTheTypedValueAndRedraw) {
    open();
    type(NotchField::Speed1, QStringLiteral("30.5"), Qt::Key_Return);
    EXPECT_TRUE(window->plotView()->hasFocus());
    EXPECT_EQ(text(NotchField::Speed1) + text(NotchField::Speed2), QStringLiteral("3030"));
    EXPECT_EQ(window->workingTable()[0].speed2, 30);
    EXPECT_EQ(window->plotImage(), expectedPlot(window->workingTable(), {}));
    EXPECT_EQ(data.accelerationTable()[0].speed1, 25); // untouched until OK

    // Choosing another notch first applies the typed value to its own.
    type(NotchField::Accel2, QStringLiteral("9"));
    auto* notches = child<QComboBox>("cbxIndex");
    QTest::mouseClick(notches, Qt::LeftButton);
    notches->hidePopup();
    notches->setCurrentIndex(2);
    EXPECT_EQ(window->workingTable()[0].accel2, 5.0f);
    EXPECT_EQ(window->workingTable()[2].accel2, 0.0f);
    EXPECT_EQ(text(NotchField::Accel2) + text(NotchField::Curve), QStringLiteral("01"));
    EXPECT_EQ(window->choices().selectedNotch, 2);
    EXPECT_EQ(window->plotImage(), expectedPlot(window->workingTable(), {2, {}, true}));
}

// Cancel and the close box are the undo test's.
TEST_F(AccelerationWindowTest, OkStoresTheTypedValueAndWithoutAChangeNothing) {
    QSignalSpy changed(&data, &TrainData::tablesChanged);
    open(); // OK without a change does not count as an edit
    QTest::mouseClick(child<QPushButton>("cmdOk"), Qt::LeftButton);
    EXPECT_EQ(data.accelerationTable(), defaultAccelerationTable());
    EXPECT_EQ(changed.count(), 0);

    open();
    type(NotchField::Accel1, QStringLiteral("0.85"));
    QTest::mouseClick(child<QPushButton>("cmdOk"), Qt::LeftButton);
    EXPECT_EQ(window->result(), QDialog::Accepted);
    EXPECT_EQ(data.accelerationTable()[0].accel1, 0.85f);
    EXPECT_EQ(data.accelerationTable()[0].accel2, 0.6f);
    EXPECT_EQ(changed.count(), 1);
}

TEST_F(AccelerationWindowTest, UnitOptionsAndResistanceBoxRedrawAndChangeTheReadout) {
    open();
    EXPECT_TRUE(child<QLabel>("pbxStatus")->text().isEmpty());
    auto position = [](const QString& readout) { return readout.section(QStringLiteral("  "), 0, 0); };
    EXPECT_EQ(position(moveTo(160.5, 276.5)), QStringLiteral(" 80, 1.23"));
    // The frame and the rest of the window leave the read-out alone.
    moveTo(-1, 200);
    EXPECT_EQ(position(moveTo(330, 200)), QStringLiteral(" 80, 1.23"));

    clickIndicator(child("optDim(1)"));
    EXPECT_EQ(window->choices().unit, AccelerationUnit::KgfPerTonne);
    EXPECT_EQ(position(moveTo(1.5, 398.5)), QStringLiteral(" 0.5, 0.3"));
    clickIndicator(child("Check1"));
    EXPECT_FALSE(window->choices().subtractResistance);
    EXPECT_EQ(window->plotImage(),
              expectedPlot(data.accelerationTable(), {0, AccelerationUnit::KgfPerTonne, false}));
    // Then the selected curve's own value at the nearest whole speed: 375 / 100^2 km/h/s.
    EXPECT_EQ(moveTo(200.5, 398.5), QStringLiteral(" 100, 0.3  曲線 1.17"));
    EXPECT_FALSE(child<QComboBox>("cbxIndex")->itemIcon(7).isNull());
}

TEST_F(AccelerationWindowTest, ScaledScreensShowSharpPixelsAndMapThePointer) {
    open();
    QImage shot(window->plotView()->size() * 2, QImage::Format_RGB32);
    shot.setDevicePixelRatio(2);
    window->plotView()->render(&shot);
    // Each image pixel becomes a sharp 2 x 2 block inside the frame.
    EXPECT_EQ(shot.copy(4, 4, 640, 800), window->plotImage().scaled(640, 800));
    // Half-pixel positions, as a scaled screen reports them, belong to the pixel
    // they lie in, also through the window's events.
    EXPECT_TRUE(moveTo(80.99, 356.99).startsWith(QStringLiteral(" 40, 0.43  ")));
    EXPECT_TRUE(moveTo(81, 357).startsWith(QStringLiteral(" 40.5, 0.42  ")));

    // The hidden default button never shows through the plot's border.
    const auto windowShot = [this] {
        QImage image(window->size() * 2, QImage::Format_RGB32);
        image.setDevicePixelRatio(2);
        window->render(&image);
        return image.copy(2, 2, 648, 808);
    };
    const QImage withButton = windowShot();
    child("cmdDammy")->hide();
    EXPECT_EQ(windowShot(), withButton);
}

TEST_F(AccelerationWindowTest, ATrainWithoutMassAsksOnceOnOpeningAndNoEndsTheProgram) {
    open({35, 0, 30, 0});
    EXPECT_EQ(prompter.countFor(QStringLiteral("DrawDya")), 1);
    moveTo(0, 399); // the read-out asks nothing
    clickIndicator(child("Check1"));
    EXPECT_EQ(prompter.countFor(QStringLiteral("DrawDya")), 2);
    // A typed value applied on the way to another notch makes one picture, not two.
    type(NotchField::Accel1, QStringLiteral("1"));
    child<QComboBox>("cbxIndex")->setCurrentIndex(1);
    EXPECT_EQ(window->workingTable()[0].accel1, 1.0f);
    EXPECT_EQ(prompter.countFor(QStringLiteral("DrawDya")), 3);
    EXPECT_EQ(programEnds, 0);
    prompter.script({false});
    clickIndicator(child("Check1"));
    EXPECT_EQ(programEnds, 1);
}

TEST_F(AccelerationWindowTest, UndoAndEscapePutBackTypingFirstAndClosingWithChangesAsks) {
    open();
    type(NotchField::Speed1, QStringLiteral("30"), Qt::Key_Return);
    auto* notches = child<QComboBox>("cbxIndex");
    notches->setCurrentIndex(3);
    type(NotchField::Speed2, QStringLiteral("１２"), Qt::Key_Return); // full-width digits
    const AccelerationTable edited = window->workingTable();
    EXPECT_EQ(edited[3].speed2, 12);
    QLineEdit* accel1 = window->field(NotchField::Accel1);
    for (const Qt::KeyboardModifiers modifiers : {Qt::ControlModifier, Qt::NoModifier}) {
        type(NotchField::Accel1, QStringLiteral("1"));
        QTest::keyClick(accel1, modifiers ? Qt::Key_Z : Qt::Key_Escape, modifiers);
        EXPECT_EQ(text(NotchField::Accel1), QStringLiteral("0"));
    }
    notches->setCurrentIndex(5);
    QTest::keyClick(accel1, Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(accel1, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(window->workingTable(), defaultAccelerationTable());
    EXPECT_EQ(notches->currentIndex(), 0);
    QTest::keyClick(accel1, Qt::Key_Y, Qt::ControlModifier);
    QTest::keyClick(window->plotView(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(window->workingTable(), edited);
    EXPECT_EQ(text(NotchField::Speed2) + notches->currentText(), QStringLiteral("124"));
    EXPECT_EQ(window->plotImage(), expectedPlot(edited, {3, {}, true}));

    // A long value shows from its start, in full in the tool tip.
    type(NotchField::Accel1, QStringLiteral("1.2345678"), Qt::Key_Return);
    EXPECT_EQ(accel1->toolTip(), QStringLiteral("1.234568"));
    EXPECT_EQ(accel1->cursorPosition(), 0);

    prompter.script({false, true});
    QTest::mouseClick(child("cmdCancel"), Qt::LeftButton);
    EXPECT_TRUE(window->isVisible());
    window->close(); // the close box
    EXPECT_FALSE(window->isVisible());
    open(); // typing that closing would drop counts as a change
    type(NotchField::Accel1, QStringLiteral("1"));
    prompter.script({false});
    window->close();
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(prompter.count(), 3);
    EXPECT_EQ(data.accelerationTable(), defaultAccelerationTable());
}
