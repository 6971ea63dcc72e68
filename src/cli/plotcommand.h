#pragma once

#include <QImage>
#include <QString>
#include <QStringList>
#include <QTextStream>
#include <functional>
#include <optional>

namespace Orlenda {

class CliPrompter;
class Prompter;
class TrainData;

// What the plot commands share: IN OUT.png among options of their own.
struct PlotPaths {
    QString in;
    QString out;
};

// Reads one option; takeValue gives the argument after it (empty when there
// is none). False when the option or its value is not valid.
using PlotOptionReader =
    std::function<bool(const QString& option, const std::function<QString()>& takeValue)>;

// Every argument starting with "--" goes to readOption; exactly two others,
// IN and OUT, must remain. Nothing when the arguments are not a valid request.
std::optional<PlotPaths> parsePlotArguments(const QStringList& arguments,
                                            const PlotOptionReader& readOption);

// Opens IN as convert does, draws it and writes the picture to OUT as PNG.
// Returns a CliStatus; nothing is written when IN cannot be opened or draw
// gives no picture (it has said why).
int writePlot(
    const PlotPaths& paths, CliPrompter& prompter, QTextStream& err,
    const std::function<std::optional<QImage>(const TrainData& data, Prompter& prompter)>& draw);

} // namespace Orlenda
