#pragma once

#include <QString>

class QWidget;

namespace Orlenda {

class MotorSoundWindow;
class Prompter;
class TrainData;

// The 試聴 panel for the motor-sound window, made by the audition module,
// which is loaded on the first call. Where the module cannot be loaded, a
// line saying why stands in the panel's place.
QWidget* makeAuditionPanel(TrainData& data, MotorSoundWindow& window, Prompter& prompter);

// Loads the module if not yet loaded: why it cannot be, or empty.
QString auditionModuleFailure();

} // namespace Orlenda
