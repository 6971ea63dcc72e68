#include "cli/clicommon.h"

#include "cli/cliprompter.h"
#include "document/openfile.h"
#include "document/traindata.h"
#include "performance/referencetrain.h"
#include "performance/typedchoice.h"
#include "shared/failure.h"
#include "shared/pathname.h"

#include <cmath>

namespace Orlenda {

std::optional<QStringList> cliArguments(const QList<QByteArray>& arguments, QTextStream& err) {
    QStringList decoded;
    for (const QByteArray& bytes : arguments) {
        const std::optional<QString> argument = nameFromBytes(bytes);
        if (!argument) {
            printFileError(err, shownName(bytes), unreadableNameDescription());
            return std::nullopt;
        }
        decoded << *argument;
    }
    return decoded;
}

bool openInput(TrainData& data, const QString& in, CliPrompter& prompter) {
    openFile(data, in, prompter);
    // openFile leaves the document without a path when it could not read the
    // file at all or found it is not a train file.
    return !data.documentPath().isEmpty();
}

int statusAfterQuestions(const CliPrompter& prompter) {
    return prompter.questions() > 0 ? CliQuestionsAsked : CliClean;
}

void printFileError(QTextStream& err, const QString& path, const QString& why) {
    err << "orlenda-cli: " << path << ": " << why << Qt::endl;
}

int writeOutput(const QString& out, const char* what, CliPrompter& prompter, QTextStream& err,
                const std::function<void()>& write) {
    try {
        write();
    } catch (const StepFailure& failure) {
        // The path is on the line already: the kind of failure says the rest.
        printFileError(err, absolutePath(out),
                       QStringLiteral("cannot write the %1: %2")
                           .arg(QLatin1String(what), failureDescription(failure.kind())));
        return CliFailed;
    }
    return statusAfterQuestions(prompter);
}

std::optional<int> notchArgument(const QString& text) {
    bool ok = false;
    const int notch = text.toInt(&ok);
    if (!ok || notch < 1 || notch > NotchCount)
        return std::nullopt;
    return notch - 1;
}

std::optional<double> gradeArgument(const QString& text) {
    // Read as the window's grade box reads it, so that both draw the same grade.
    return typedGrade(text);
}

std::optional<double> brakeFromArgument(const QString& text) {
    bool ok = false;
    const int speed = text.toInt(&ok);
    if (!ok || speed < 1 || speed > TopSpeedKmh)
        return std::nullopt;
    return speed;
}

std::optional<QString> nameArgument(const QString& text) {
    if (text.isEmpty())
        return std::nullopt;
    return text;
}

std::optional<PerformanceTrain> cliReference(const QString& path, CliPrompter& prompter,
                                             QTextStream& err) {
    ReferenceTrain reference;
    if (!reference.load(path, prompter)) {
        printFileError(err, absolutePath(path), QStringLiteral("cannot read the reference"));
        return std::nullopt;
    }
    return reference.train();
}

} // namespace Orlenda
