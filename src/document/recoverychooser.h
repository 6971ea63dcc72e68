#pragma once

namespace Orlenda {

class RecoveryOffer;

// Where the user chooses what becomes of the copies left by earlier runs: one
// window for all of them. It runs every choice through the offer (restore,
// open as new, delete) and returns when the user is done or chose 後で;
// the editor shows a dialog, tests choose from a script.
class RecoveryChooser {
public:
    virtual ~RecoveryChooser() = default;
    virtual void choose(RecoveryOffer& offer) = 0;
};

} // namespace Orlenda
