#include "document/dependentrules.h"

#include "document/traindata.h"

namespace Orlenda {

namespace {
constexpr int TwoHandles = 0;
constexpr int Stepless = 4;
} // namespace

void applyBrakeTransmissionRule(TrainData& data) {
    const int send = data.listIndex(cbxBrkSend);
    if (send == AutomaticAir) {
        data.setListIndex(cbxBrkElcAir, NoBlending);
        data.setListEnabled(cbxBrkElcAir, false);
    } else {
        data.setListEnabled(cbxBrkElcAir, true);
        if (data.listIndex(cbxBrkElcAir) == NoBlending)
            data.setListIndex(cbxBrkElcAir, CutOffValve);
    }
    if (send == ElectricCommand) {
        data.setListEnabled(cbxHandle(0), true);
        data.setListEnabled(cbxHandle(2), true);
    } else {
        data.setListIndex(cbxHandle(0), TwoHandles);
        data.setListEnabled(cbxHandle(0), false);
        data.setListIndex(cbxHandle(2), Stepless);
        data.setListEnabled(cbxHandle(2), false);
    }
}

void applyHoldingControlRule(TrainData& data, CheckId changed) {
    if (changed != HoldingControlCheck)
        return;
    const QStringList captions = brakeNotchCaptions(data.check(HoldingControlCheck));
    for (int i = 0; i < captions.size(); ++i)
        data.setListEntryCaption(cbxHandle(2), i, captions.at(i));
}

} // namespace Orlenda
