#pragma once

#include "document/controls.h"

#include <QWidget>
#include <array>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

namespace Orlenda {

class TrainData;
enum class FormButton : int;

// The main window's panels of fields, lists and check boxes. It holds no
// values of its own: every keystroke, pick and click goes into the document at
// once, and every change of the document shows here at once. A field typed in
// that loses focus to another control of the window is corrected; Enter in a
// field does the same by moving the focus to the hidden cmdDummy. Each of
// these, and each pick or click, commits one step of the document's history;
// a field left without a keystroke is neither checked nor a step. The undo and
// redo keys are left to the window.
class ParameterForm : public QWidget {
    Q_OBJECT

public:
    explicit ParameterForm(TrainData& data, QWidget* parent = nullptr);
    ~ParameterForm() override;

    QLineEdit* field(TextId id) const { return mFields[std::size_t(id)]; }
    QComboBox* list(ListId id) const { return mLists[std::size_t(id)]; }
    QCheckBox* checkBox(int index) const { return mChecks.at(std::size_t(index)); }
    // cmdAcc and cmdMotor stay disabled until their windows are connected.
    QPushButton* button(FormButton which) const;

    QSize sizeHint() const override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void arrangeTabOrder();
    void bindDocument();
    void showText(TextId id);
    void showList(ListId id);
    void showCheck(CheckId id);

    TrainData& mData;
    std::array<QLineEdit*, TextFieldCount> mFields{};
    std::array<QComboBox*, ListCount> mLists{};
    std::array<QCheckBox*, CheckCount> mChecks{};
    std::array<QPushButton*, 3> mButtons{};
    // Typed in since its text was last checked.
    std::array<bool, TextFieldCount> mTyped{};
};

} // namespace Orlenda
