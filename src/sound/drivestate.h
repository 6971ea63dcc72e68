#pragma once

namespace Orlenda {

// What the train is doing, and so which tracks sound: Power plays P1 and P2,
// Brake plays B1 and B2, Coast plays nothing.
enum class DriveState { Coast, Power, Brake };

} // namespace Orlenda
