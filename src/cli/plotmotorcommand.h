#pragma once

#include <QStringList>
#include <QTextStream>
#include <optional>

namespace Orlenda {

class CliPrompter;

inline constexpr const char* PlotMotorUsage =
    "orlenda-cli plot motor IN OUT.png [--track P1|P2|B1|B2] [--previous P1|P2|B1|B2] [--hex]";

// Writes the motor-sound graph of IN, as the editor's window shows it for the
// chosen current and previous track and scale, to OUT as PNG. arguments are
// those after "plot motor". Returns a CliStatus, or nothing when the
// arguments are not a valid request (the caller prints the usage).
std::optional<int> plotMotorCommand(const QStringList& arguments, CliPrompter& prompter,
                                    QTextStream& err);

} // namespace Orlenda
