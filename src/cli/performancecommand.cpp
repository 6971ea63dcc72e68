#include "cli/performancecommand.h"

#include "cli/clicommands.h"
#include "cli/cliprompter.h"
#include "document/traindata.h"
#include "performance/performancereport.h"
#include "performance/performancetables.h"
#include "performance/referencetrain.h"
#include "shared/apptitle.h"

#include <QJsonDocument>
#include <cmath>

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

std::optional<double> gradeArgument(const QString& text) {
    bool ok = false;
    const double grade = text.toDouble(&ok);
    if (!ok || !std::isfinite(grade) || grade < MinGrade || grade > MaxGrade)
        return std::nullopt;
    return grade;
}

std::optional<PerformanceTrain> cliReference(const QString& path, CliPrompter& prompter,
                                             QTextStream& err) {
    ReferenceTrain reference;
    if (!reference.load(path, prompter)) {
        err << "orlenda-cli: " << path << ": cannot read the reference" << Qt::endl;
        return std::nullopt;
    }
    return reference.train();
}

std::optional<int> performanceCommand(const QStringList& arguments, CliPrompter& prompter,
                                      QTextStream& out, QTextStream& err) {
    double grade = 0;
    Format format = Format::Text;
    QString referencePath;
    QStringList positional;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& a = arguments.at(i);
        if (!a.startsWith(QLatin1String("--"))) {
            positional << a;
            continue;
        }
        const QString value = arguments.value(++i);
        if (i >= arguments.size())
            return std::nullopt;
        if (a == QLatin1String("--grade")) {
            const std::optional<double> g = gradeArgument(value);
            if (!g)
                return std::nullopt;
            grade = *g;
        } else if (a == QLatin1String("--reference")) {
            referencePath = value;
        } else if (a == QLatin1String("--format") && value == QLatin1String("text")) {
            format = Format::Text;
        } else if (a == QLatin1String("--format") && value == QLatin1String("csv")) {
            format = Format::Csv;
        } else if (a == QLatin1String("--format") && value == QLatin1String("json")) {
            format = Format::Json;
        } else {
            return std::nullopt;
        }
    }
    if (positional.size() != 1)
        return std::nullopt;

    TrainData data;
    if (!openInput(data, positional.first(), prompter))
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
