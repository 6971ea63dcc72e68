#pragma once

#include <QStringList>
#include <QTextStream>
#include <optional>

namespace Orlenda {

class CliPrompter;

inline constexpr const char* PlotAccelerationUsage =
    "orlenda-cli plot acceleration IN OUT.png [--notch 1..8] [--unit kmhs|kgft] "
    "[--show-resistance] [--reference REF]";

// plot acceleration IN OUT.png [--notch 1..8] [--unit kmhs|kgft] [--show-resistance]
// [--reference REF]: opens IN as the editor does and writes the acceleration
// window's plot for those choices, with REF's curves under IN's when given. Arguments follow the words "plot acceleration". Returns a
// CliStatus, or nothing when the arguments are not a valid request (the
// caller prints the usage).
std::optional<int> plotAcceleration(const QStringList& arguments, CliPrompter& prompter,
                                    QTextStream& err);

} // namespace Orlenda
