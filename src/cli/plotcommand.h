#pragma once

#include "cli/clicommon.h"

#include <QImage>
#include <QStringList>
#include <QTextStream>
#include <functional>
#include <optional>

namespace Orlenda {

class CliPrompter;
class Prompter;
class TrainData;

inline constexpr const char* PlotAccelerationUsage =
    "orlenda-cli plot acceleration IN OUT.png [--notch 1..8] [--unit kmhs|kgft] "
    "[--show-resistance] [--reference REF]";
inline constexpr const char* PlotMotorUsage =
    "orlenda-cli plot motor IN OUT.png [--track P1|P2|B1|B2] [--previous P1|P2|B1|B2] [--hex]";
inline constexpr const char* PlotRunUsage =
    "orlenda-cli plot run IN OUT.png [--notch 1..8] [--grade G] [--brake-from V]";

// The plot commands; arguments are those after "plot acceleration", "plot
// motor" or "plot run". Each opens IN as the editor does and writes to OUT as
// PNG what the window shows for the chosen options (the window's initial
// choices where none is given):
// - acceleration: the acceleration window's plot, with REF's curves under IN's;
// - motor: the motor-sound graph for the current and previous track and scale;
// - run: the performance window's run-curve plot for the notch, grade and
//   braking speed (1, 0 and 100 unless given).
// Each returns a CliStatus, or nothing when the arguments are not a valid
// request (the caller prints the usage).
std::optional<int> plotAcceleration(const QStringList& arguments, CliPrompter& prompter,
                                    QTextStream& err);
std::optional<int> plotMotorCommand(const QStringList& arguments, CliPrompter& prompter,
                                    QTextStream& err);
std::optional<int> plotRunCommand(const QStringList& arguments, CliPrompter& prompter,
                                  QTextStream& err);

// Draws the picture of an opened document; nothing when it cannot (it has said why).
using PlotDrawer = std::function<std::optional<QImage>(const TrainData& data, Prompter& prompter)>;

// What the plot commands share: IN OUT.png among options of their own, which
// go to readOption. Opens IN as convert does, draws it and writes the picture
// to OUT as PNG. Returns a CliStatus, nothing being written when IN cannot be
// opened or draw gives no picture; or nothing when the arguments are not a
// valid request.
std::optional<int> runPlotCommand(const QStringList& arguments, const OptionReader& readOption,
                                  CliPrompter& prompter, QTextStream& err, const PlotDrawer& draw);

} // namespace Orlenda
