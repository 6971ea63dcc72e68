#pragma once

#include <QStringList>
#include <QTextStream>
#include <optional>

namespace Orlenda {

class CliPrompter;

inline constexpr const char* MotorExportUsage = "orlenda-cli motor export IN P1|P2|B1|B2 OUT.csv";
inline constexpr const char* MotorImportUsage = "orlenda-cli motor import IN P1|P2|B1|B2 CSV OUT";

// motor export IN TRACK OUT.csv writes one track of IN as CSV; motor import
// IN TRACK CSV OUT reads a CSV into that track of IN and saves the result as
// OUT. A bad line of the CSV is reported with its number and nothing is
// written. arguments are those after "motor". Returns a CliStatus, or
// nothing when the arguments are not a valid request (the caller prints the
// usage).
std::optional<int> motorCommand(const QStringList& arguments, CliPrompter& prompter,
                                QTextStream& err);

} // namespace Orlenda
