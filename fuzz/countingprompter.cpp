#include "countingprompter.h"

namespace Orlenda {

bool CountingPrompter::ask(const QString& caption, const QString& text, Icon) {
    mQuestions.append(caption + QStringLiteral(": ") + text);
    return true;
}

} // namespace Orlenda
