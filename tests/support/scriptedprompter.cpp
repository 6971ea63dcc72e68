#include "support/scriptedprompter.h"

bool ScriptedPrompter::ask(const QString& caption, const QString& text, Icon icon) {
    mQuestions.append({caption, text, icon});
    if (mAnswers.isEmpty())
        return mDefault;
    return mAnswers.takeFirst();
}

int ScriptedPrompter::countFor(const QString& routine) const {
    int n = 0;
    for (const Question& q : mQuestions) {
        if (q.caption == Orlenda::errorPromptCaption(routine))
            ++n;
    }
    return n;
}
