#pragma once

#include <QString>

namespace Orlenda {

// Everything that asks the user goes through this interface: the editor shows
// message boxes, the command-line tool and the tests answer from a script.
class Prompter {
public:
    enum class Icon { Error, Warning };
    enum class SaveChoice { Save, Discard, Cancel };
    // YesToAll: Yes, and Yes to every further question of the same read.
    enum class Answer { No, Yes, YesToAll };

    virtual ~Prompter() = default;

    // A Yes/No question; true for Yes.
    virtual bool ask(const QString& caption, const QString& text, Icon icon) = 0;

    // Whether to save changes that would otherwise be lost. Only the editor
    // asks this; any other asker keeps everything as it was.
    virtual SaveChoice askToSave(const QString& caption, const QString& text);

    // A Yes/No question whose safe answer No is the default; true for Yes.
    virtual bool askNoByDefault(const QString& caption, const QString& text, Icon icon) {
        return ask(caption, text, icon);
    }

    // Whether to close a sub-editor and drop the changes not written to the
    // document; true for Yes.
    bool askToDiscardChanges();
    // A Yes/No question asked while a file is read. The editor also offers
    // to answer every further question of that read with Yes; by default
    // this is ask().
    virtual Answer askWhileReading(const QString& caption, const QString& text, Icon icon);

    // A notice with nothing to choose. Only the editor shows it.
    virtual void tell(const QString& caption, const QString& text);

    // The failure report of a guarded routine; true when the user chose to continue.
    bool errorPrompt(const QString& routine, const QString& description);
};

// Caption and text of the failure report, shared by every implementation.
QString errorPromptCaption(const QString& routine);
QString errorPromptText(const QString& description);

// Text of the question asked before unsaved changes would be lost.
QString saveChangesQuestionText();

// Text of the question asked before a sub-editor's changes would be dropped.
QString discardChangesQuestionText();

// Text of the question asked for an unrecognised field or line of a train file.
QString syntaxQuestionText(const QString& field);

// Raised when the user declines to continue after a failure: the program must
// end at once. It unwinds to the outermost command, which ends the program
// without any closing steps.
class ProgramEndRequested {};

} // namespace Orlenda
