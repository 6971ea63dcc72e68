#pragma once

#include "sound/soundinfo.h"

#include <QString>

namespace Orlenda {

// The caption of the questions and notices of playback and rendering.
QString soundCaption();
// A sound number that plays nothing, naming its file and why.
QString unusableSoundText(const SoundInfo& info);
// No sound the tracks use can be played.
QString noUsableSoundText();
// A run asked to go faster than the notch takes the train.
QString topSpeedNotReachedText(int notch, int asked, int reached);

} // namespace Orlenda
