#include "shared/graphpalette.h"

namespace Orlenda {

namespace {

constexpr std::array<std::uint32_t, GraphPalette::Count> kRgb = {
    0x808080, 0xFF0000, 0xFFA000, 0xFFFF00, 0x00FF00, 0x00FFFF, 0x0000FF, 0xA000FF, 0xFF00FF,
    0x404040, 0x800000, 0x805000, 0x808000, 0x008000, 0x008080, 0x000080, 0x500080, 0x800080,
};

} // namespace

std::uint32_t GraphPalette::word(int entry) {
    const std::uint32_t rgb = kRgb.at(std::size_t(entry));
    return ((rgb >> 16) & 0xFF) | (rgb & 0xFF00) | ((rgb & 0xFF) << 16);
}

QColor GraphPalette::color(int entry) {
    const std::uint32_t rgb = kRgb.at(std::size_t(entry));
    return QColor(int((rgb >> 16) & 0xFF), int((rgb >> 8) & 0xFF), int(rgb & 0xFF));
}

} // namespace Orlenda
