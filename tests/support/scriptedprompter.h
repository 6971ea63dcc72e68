#pragma once

#include "shared/prompter.h"

#include <QList>
#include <QString>
#include <QStringList>

// Answers questions from a script and records them. Once the script runs out
// every further question is answered with the default answer.
class ScriptedPrompter : public Orlenda::Prompter {
public:
    struct Question {
        QString caption;
        QString text;
        Icon icon;
    };

    explicit ScriptedPrompter(bool defaultAnswer = true) : mDefault(defaultAnswer) {}

    void script(std::initializer_list<bool> answers) { mAnswers.append(QList<bool>(answers)); }

    bool ask(const QString& caption, const QString& text, Icon icon) override;

    // Texts of the notices told.
    QStringList told;
    void tell(const QString&, const QString& text) override { told << text; }

    // The save question is scripted and counted apart from the Yes/No ones;
    // unscripted, it drops the changes.
    void scriptSave(std::initializer_list<SaveChoice> choices) {
        mSaveChoices.append(QList<SaveChoice>(choices));
    }
    SaveChoice askToSave(const QString& caption, const QString& text) override;
    int saveQuestions() const { return mSaveQuestions; }

    const QList<Question>& questions() const { return mQuestions; }
    int count() const { return int(mQuestions.size()); }
    // Questions whose caption is "Orlenda - routine".
    int countFor(const QString& routine) const;

private:
    bool mDefault;
    QList<bool> mAnswers;
    QList<Question> mQuestions;
    QList<SaveChoice> mSaveChoices;
    int mSaveQuestions = 0;
};
