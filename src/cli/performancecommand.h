#pragma once

#include "performance/performancefigures.h"

#include <QStringList>
#include <QTextStream>
#include <optional>

namespace Orlenda {

class CliPrompter;

inline constexpr const char* PerformanceUsage =
    "orlenda-cli performance IN [--grade G] [--reference REF] [--format text|csv|json]";

// performance IN [--grade G] [--reference REF] [--format text|csv|json]:
// opens IN as convert does and prints its performance figures. Every reason
// for missing figures is printed once as a question line. Returns a
// CliStatus, or nothing when the arguments are not a valid request.
std::optional<int> performanceCommand(const QStringList& arguments, CliPrompter& prompter,
                                      QTextStream& out, QTextStream& err);

// A grade argument: a decimal number from -40 to 40 per mille.
std::optional<double> gradeArgument(const QString& text);

// Reads a reference train as the editor does; nothing, and a line on err,
// when it cannot be read.
std::optional<PerformanceTrain> cliReference(const QString& path, CliPrompter& prompter,
                                             QTextStream& err);

} // namespace Orlenda
