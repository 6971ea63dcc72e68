#pragma once

#include "shared/prompter.h"

namespace Orlenda {

// Passes questions on until a number of them has been asked, then answers
// every further question Yes without asking: one command made of several
// routines, each with a limit of its own, must still stay within one limit.
class CappedPrompter : public Prompter {
public:
    CappedPrompter(Prompter& inner, int limit) : mInner(inner), mLeft(limit) {}

    bool ask(const QString& caption, const QString& text, Icon icon) override;

private:
    Prompter& mInner;
    int mLeft;
};

} // namespace Orlenda
