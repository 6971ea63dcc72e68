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
