#include "app/appicon.h"
#include "shared/appidentity.h"

#include <QXmlStreamReader>
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
    QXmlStreamReader svg(iconSvg());
    int rects = 0;
    while (!svg.atEnd()) {
        if (svg.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (svg.name() == QLatin1String("svg")) {
            EXPECT_EQ(svg.attributes().value(QLatin1String("viewBox")), QLatin1String("0 0 48 48"));
            continue;
        }
        ASSERT_EQ(svg.name(), QLatin1String("rect"));
        const auto a = svg.attributes();
        const int x = a.value(QLatin1String("x")).toInt();
        const int y = a.value(QLatin1String("y")).toInt();
        const int w = a.value(QLatin1String("width")).toInt();
        const QColor colour(a.value(QLatin1String("fill")).toString());
        ASSERT_TRUE(colour.isValid());
        for (int i = x; i < x + w; ++i)
            painted.setPixel(i, y, colour.rgb());
        ++rects;
    }
    EXPECT_FALSE(svg.hasError()) << svg.errorString().toStdString();
    EXPECT_GT(rects, 48);
    EXPECT_EQ(painted, logo);
}
