#pragma once

#include "shared/prompter.h"

#include <QStringList>

namespace Orlenda {

// Answers every question with Yes, so that a reader goes as far as it can,
// and keeps the questions for the report of a failing input.
class CountingPrompter : public Prompter {
public:
    bool ask(const QString& caption, const QString& text, Icon icon) override;

    int count() const { return int(mQuestions.size()); }
    const QStringList& questions() const { return mQuestions; }

private:
    QStringList mQuestions;
};

} // namespace Orlenda
