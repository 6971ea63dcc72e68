#pragma once

#include "shared/prompter.h"

namespace Orlenda {

// The questions of one file being read: passed on until a number of them has
// been asked, or until the user answered one with Yes to all, then every
// further question is answered Yes without asking. One command made of
// several routines, each with a limit of its own, must still stay within one limit.
class CappedPrompter : public Prompter {
public:
    CappedPrompter(Prompter& inner, int limit) : mInner(inner), mLeft(limit) {}

    bool ask(const QString& caption, const QString& text, Icon icon) override;

private:
    Prompter& mInner;
    int mLeft;
};

} // namespace Orlenda
