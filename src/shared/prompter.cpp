#include "shared/prompter.h"

#include "shared/apptitle.h"

namespace Orlenda {

bool Prompter::errorPrompt(const QString& routine, const QString& description) {
    return ask(errorPromptCaption(routine), errorPromptText(description), Icon::Error);
}

bool Prompter::askToDiscardChanges() {
    return askNoByDefault(applicationTitle(), discardChangesQuestionText(), Icon::Warning);
}

Prompter::SaveChoice Prompter::askToSave(const QString&, const QString&) {
    return SaveChoice::Cancel;
}

Prompter::Answer Prompter::askWhileReading(const QString& caption, const QString& text,
                                            Icon icon) {
    return ask(caption, text, icon) ? Answer::Yes : Answer::No;
}

void Prompter::tell(const QString&, const QString&) {}

QString saveChangesQuestionText() {
    return QStringLiteral("変更内容を保存しますか？");
}

QString discardChangesQuestionText() {
    return QStringLiteral("変更を破棄して閉じますか？");
}

QString errorPromptCaption(const QString& routine) {
    return applicationTitle() + QStringLiteral(" - ") + routine;
}

QString errorPromptText(const QString& description) {
    return description + QLatin1Char('\n') + QStringLiteral("続行しますか？");
}

QString syntaxQuestionText(const QString& field) {
    return field + QStringLiteral("?\n構文が不正です。続行しますか？");
}

} // namespace Orlenda
