#pragma once

#include "shared/prompter.h"

#include <QDoubleSpinBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSpinBox>
#include <functional>
#include <optional>

namespace Orlenda {

// A spin box that takes what is typed through a reader that never guesses:
// typing is never blocked, and when the entry is finished (Enter or leaving
// the box) a text the reader refuses brings back the previous value and the
// prompter says why. The box shows the value in use, and Enter leaves no
// selection behind, so Ctrl+C afterwards copies the window's tables.
template <class Box, class Value>
class TypedSpinBox : public Box {
public:
    using Reader = std::function<std::optional<Value>(const QString&)>;

    TypedSpinBox(Reader read, QString refusal, Prompter& prompter, QWidget* parent)
        : Box(parent), mRead(std::move(read)), mRefusal(std::move(refusal)), mPrompter(prompter) {
        this->setKeyboardTracking(false);
        this->setCorrectionMode(QAbstractSpinBox::CorrectToPreviousValue);
    }

protected:
    QValidator::State validate(QString& text, int&) const override {
        return read(text) ? QValidator::Acceptable : QValidator::Intermediate;
    }
    Value valueFromText(const QString& text) const override {
        return read(text).value_or(this->value());
    }
    void fixup(QString&) const override {}

    void keyPressEvent(QKeyEvent* event) override {
        const bool finished = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
        if (finished)
            takeTyped();
        Box::keyPressEvent(event);
        if (finished)
            this->lineEdit()->deselect();
    }
    void focusOutEvent(QFocusEvent* event) override {
        takeTyped();
        Box::focusOutEvent(event);
    }

private:
    std::optional<Value> read(QString text) const {
        if (!this->suffix().isEmpty() && text.endsWith(this->suffix()))
            text.chop(this->suffix().size());
        return mRead(text);
    }

    // A refused entry puts the value in use back before saying so: the
    // notice takes the focus, which finishes the entry once more.
    void takeTyped() {
        if (read(this->lineEdit()->text()))
            return;
        this->lineEdit()->setText(this->textFromValue(this->value()) + this->suffix());
        mPrompter.tell(this->window()->windowTitle(), mRefusal);
    }

    Reader mRead;
    QString mRefusal;
    Prompter& mPrompter;
};

} // namespace Orlenda
