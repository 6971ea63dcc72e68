#pragma once

#include <QStringList>
#include <QTextStream>
#include <optional>

namespace Orlenda {

class CliPrompter;

inline constexpr const char* PlotRunUsage =
    "orlenda-cli plot run IN OUT.png [--notch 1..8] [--grade G] [--brake-from V]";

// Writes the performance window's run-curve plot of IN for the chosen notch,
// grade and braking speed (1, 0 and 100 unless given) to OUT as PNG.
// arguments are those after "plot run". Returns a CliStatus, or nothing when
// the arguments are not a valid request.
std::optional<int> plotRunCommand(const QStringList& arguments, CliPrompter& prompter,
                                  QTextStream& err);

} // namespace Orlenda
