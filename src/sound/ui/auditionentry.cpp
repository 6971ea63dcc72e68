#include "sound/ui/auditionentry.h"

#include "sound/ui/auditionpanel.h"
#include "sound/ui/sinkaudiooutput.h"

extern "C" Q_DECL_EXPORT QWidget* orlendaMakeAuditionPanel(Orlenda::TrainData& data,
                                                           Orlenda::MotorSoundWindow& window,
                                                           Orlenda::Prompter& prompter) {
    // Checked here, where both are seen: the editor calls through the pointer type.
    static_assert(std::is_same_v<decltype(&orlendaMakeAuditionPanel), Orlenda::AuditionPanelMaker>);
    return new Orlenda::AuditionPanel(data, window, prompter,
                                      [] { return std::make_unique<Orlenda::SinkAudioOutput>(); });
}
