#include "support/scriptedprompter.h"

#include <gtest/gtest.h>

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

Orlenda::Prompter::SaveChoice ScriptedPrompter::askToSave(const QString& caption,
                                                          const QString& text) {
    ++mSaveQuestions;
    EXPECT_EQ(caption, QStringLiteral("Orlenda"));
    EXPECT_EQ(text, QStringLiteral("変更内容を保存しますか？"));
    return mSaveChoices.isEmpty() ? SaveChoice::Discard : mSaveChoices.takeFirst();
}
