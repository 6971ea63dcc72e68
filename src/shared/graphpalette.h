#pragma once

#include <QColor>
#include <array>
#include <cstdint>

namespace Orlenda {

// The 18 colours both graph windows draw with, by entry number: 1 to 8 bright,
// 10 to 17 their dark twins in the same order, 0 and 9 the two greys.
class GraphPalette {
public:
    static constexpr int Count = 18;

    // The stored word: red in the lowest byte, then green, then blue.
    static std::uint32_t word(int entry);
    static QColor color(int entry);
};

} // namespace Orlenda
