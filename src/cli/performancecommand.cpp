#include "cli/performancecommand.h"

#include "cli/clicommon.h"
#include "cli/cliprompter.h"
#include "document/traindata.h"
#include "performance/performancereport.h"
#include "performance/performancetables.h"
#include "shared/apptitle.h"

#include <QJsonDocument>

namespace Orlenda {

namespace {

enum class Format { Text, Csv, Json };

// The reasons the window shows in its table, asked as one question line each.
void askReasons(const PerformanceFigures& figures, const QString& prefix, CliPrompter& prompter) {
    for (const QString& note : failureNotes(figures))
        prompter.ask(applicationTitle() + QStringLiteral(" - 性能表"), prefix + note,
                     Prompter::Icon::Error);
}

std::optional<Format> formatArgument(const QString& text) {
    return choiceArgument<Format>(
        text, {{"text", Format::Text}, {"csv", Format::Csv}, {"json", Format::Json}});
}

} // namespace

std::optional<int> performanceCommand(const CliRequest& request) {
    double grade = 0;
    double brakeFrom = 100;
    Format format = Format::Text;
    QString referencePath;
    const QCommandLineParser& options = request.options;
    if (!readOption(options, QStringLiteral("grade"), gradeArgument, grade) ||
        !readOption(options, QStringLiteral("brake-from"), brakeFromArgument, brakeFrom) ||
        !readOption(options, QStringLiteral("reference"), nameArgument, referencePath) ||
        !readOption(options, QStringLiteral("format"), formatArgument, format))
        return std::nullopt;
    CliPrompter& prompter = request.prompter;
    QTextStream& out = request.out;

    TrainData data;
    if (!openInput(data, request.arguments.first(), prompter))
        return CliFailed;
    std::optional<PerformanceFigures> reference;
    if (!referencePath.isEmpty()) {
        const std::optional<PerformanceTrain> train =
            cliReference(referencePath, prompter, request.err);
        if (!train)
            return CliFailed;
        reference = computePerformance(*train, grade);
    }
    const PerformanceFigures figures = computePerformance(performanceTrain(data), grade);
    askReasons(figures, QString(), prompter);
    if (reference)
        askReasons(*reference, QStringLiteral("比較ファイル: "), prompter);

    const PerformanceFigures* ref = reference ? &*reference : nullptr;
    const FiguresContext context{figuresFileName(request.arguments.first()),
                                 reference ? figuresFileName(referencePath) : QString(),
                                 int(brakeFrom)};
    switch (format) {
    case Format::Text:
        out << performanceText(figures, ref, context);
        break;
    case Format::Csv:
        out << performanceCsv(figures, ref, context);
        break;
    case Format::Json:
        out << QString::fromUtf8(QJsonDocument(performanceJson(figures, ref)).toJson());
        break;
    }
    out.flush();
    return statusAfterQuestions(prompter);
}

} // namespace Orlenda
