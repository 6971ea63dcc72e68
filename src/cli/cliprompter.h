#pragma once

#include "shared/prompter.h"

#include <QTextStream>

namespace Orlenda {

// Answers every question Yes and prints it as one line on the error stream.
class CliPrompter : public Prompter {
public:
    explicit CliPrompter(QTextStream& err) : mErr(err) {}

    bool ask(const QString& caption, const QString& text, Icon icon) override;

    int questions() const { return mQuestions; }

private:
    QTextStream& mErr;
    int mQuestions = 0;
};

} // namespace Orlenda
