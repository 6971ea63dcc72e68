#pragma once

class QWidget;

namespace Orlenda {

class MotorSoundWindow;
class Prompter;
class TrainData;

// The one function the audition module exports: the 試聴 panel for a
// motor-sound window, owned by the caller. The editor loads the module, and
// with it the audio libraries, only when the window first opens.
using AuditionPanelMaker = QWidget* (*)(TrainData& data, MotorSoundWindow& window,
                                        Prompter& prompter);
inline constexpr char AuditionPanelMakerName[] = "orlendaMakeAuditionPanel";

} // namespace Orlenda
