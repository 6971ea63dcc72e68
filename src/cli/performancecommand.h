#pragma once

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

} // namespace Orlenda
