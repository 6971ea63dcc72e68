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

} // namespace

std::optional<int> performanceCommand(const QStringList& arguments, CliPrompter& prompter,
                                      QTextStream& out, QTextStream& err) {
    double grade = 0;
    Format format = Format::Text;
    QString referencePath;
    const auto readOption = [&](const QString& option, const std::function<QString()>& takeValue) {
        // Every option takes a value, and none may be left out.
        const QString value = takeValue();
        if (option == QLatin1String("--grade")) {
            const std::optional<double> g = gradeArgument(value);
            if (!g)
                return false;
            grade = *g;
        } else if (option == QLatin1String("--reference") && !value.isEmpty()) {
            referencePath = value;
        } else if (option == QLatin1String("--format") && value == QLatin1String("text")) {
            format = Format::Text;
        } else if (option == QLatin1String("--format") && value == QLatin1String("csv")) {
            format = Format::Csv;
        } else if (option == QLatin1String("--format") && value == QLatin1String("json")) {
            format = Format::Json;
        } else {
            return false;
        }
        return true;
    };
    const std::optional<QStringList> in = parseArguments(arguments, 1, readOption);
    if (!in)
        return std::nullopt;

    TrainData data;
    if (!openInput(data, in->first(), prompter))
        return CliFailed;
    std::optional<PerformanceFigures> reference;
    if (!referencePath.isEmpty()) {
        const std::optional<PerformanceTrain> train = cliReference(referencePath, prompter, err);
        if (!train)
            return CliFailed;
        reference = computePerformance(*train, grade);
    }
    const PerformanceFigures figures = computePerformance(performanceTrain(data), grade);
    askReasons(figures, QString(), prompter);
    if (reference)
        askReasons(*reference, QStringLiteral("比較ファイル: "), prompter);

    const PerformanceFigures* ref = reference ? &*reference : nullptr;
    switch (format) {
    case Format::Text:
        out << performanceText(figures, ref);
        break;
    case Format::Csv:
        out << performanceCsv(figures, ref);
        break;
    case Format::Json:
        out << QString::fromUtf8(QJsonDocument(performanceJson(figures, ref)).toJson());
        break;
    }
    out.flush();
    return statusAfterQuestions(prompter);
}

} // namespace Orlenda
