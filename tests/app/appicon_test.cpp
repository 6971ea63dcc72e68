#include "app/appicon.h"
#include "shared/appidentity.h"

#include <QRegularExpression>
#include <gtest/gtest.h>

using namespace Orlenda;

TEST(ApplicationIcon, EverySizeShowsTheLogo) {
    const QImage logo = logoImage().convertToFormat(QImage::Format_RGB32);
    for (int size : iconSizes())
        EXPECT_EQ(iconImage(size).size(), QSize(size, size)) << size;
    EXPECT_EQ(iconImage(48).convertToFormat(QImage::Format_RGB32), logo);
    // Whole multiples are the logo's pixels as blocks, without blur.
    const QImage doubled = iconImage(96).convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < 48; ++y) {
        for (int x = 0; x < 48; ++x) {
            ASSERT_EQ(doubled.pixel(2 * x, 2 * y), logo.pixel(x, y)) << x << "," << y;
            ASSERT_EQ(doubled.pixel(2 * x + 1, 2 * y + 1), logo.pixel(x, y)) << x << "," << y;
        }
    }
}

TEST(ApplicationIcon, ScalableArtRepaintsTheLogoExactly) {
    const QImage logo = logoImage().convertToFormat(QImage::Format_RGB32);
    QImage painted(logo.size(), QImage::Format_RGB32);
    painted.fill(Qt::black);
    const QString svg = QString::fromUtf8(iconSvg());
    static const QRegularExpression rect(QStringLiteral(
        "<rect x=\"(\\d+)\" y=\"(\\d+)\" width=\"(\\d+)\" height=\"1\" fill=\"(#[0-9a-f]{6})\"/>"));
    for (const QRegularExpressionMatch& m : rect.globalMatch(svg)) {
        for (int i = 0; i < m.captured(3).toInt(); ++i)
            painted.setPixel(m.captured(1).toInt() + i, m.captured(2).toInt(),
                             QColor(m.captured(4)).rgb());
    }
    EXPECT_EQ(painted, logo);
}
