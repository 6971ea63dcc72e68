#pragma once

#include "document/controls.h"

namespace Orlenda {

class TrainData;

// Run by TrainData when cbxBrkSend's selection changes: automatic air allows no
// blending, straight air and electric command always have some, and only an
// electric command brake may have one handle or a notched brake.
void applyBrakeTransmissionRule(TrainData& data);

// Run by TrainData when a chkDevice box changes: with holding control on each
// brake-notch entry names one notch fewer than the count it stores.
void applyHoldingControlRule(TrainData& data, CheckId changed);

} // namespace Orlenda
