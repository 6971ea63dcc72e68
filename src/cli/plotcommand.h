#pragma once

#include "cli/clicommon.h"

#include <QImage>
#include <functional>
#include <optional>

namespace Orlenda {

class CliPrompter;
class Prompter;
class TrainData;

// The plot commands, given IN and OUT.png. Each opens IN as the editor does
// and writes to OUT as PNG what the window shows for the chosen options (the
// window's initial choices where none is given):
// - acceleration: the acceleration window's plot, with REF's curves under IN's;
// - motor: the motor-sound graph for the current and previous track and scale;
// - run: the performance window's run-curve plot for the notch, grade and
//   braking speed (1, 0 and 100 unless given).
// Each returns a CliStatus, or nothing when an option's value is not valid
// (the caller prints the usage).
std::optional<int> plotAcceleration(const CliRequest& request);
std::optional<int> plotMotorCommand(const CliRequest& request);
std::optional<int> plotRunCommand(const CliRequest& request);

// Draws the picture of an opened document; nothing when it cannot (it has said why).
using PlotDrawer = std::function<std::optional<QImage>(const TrainData& data, Prompter& prompter)>;

// What the plot commands share, once their options are read: opens IN as
// convert does, draws it and writes the picture to OUT as PNG. Returns a
// CliStatus, nothing being written when IN cannot be opened or draw gives no
// picture.
int runPlotCommand(const CliRequest& request, const PlotDrawer& draw);

} // namespace Orlenda
