#include "document/traindata.h"
#include "performance/performancereport.h"

#include <QJsonDocument>
#include <QRandomGenerator>
#include <cmath>
#include <gtest/gtest.h>

using namespace Orlenda;

namespace {

// Values a hand-edited file may hold: negative, tiny, huge and not finite.
const char* const kHostile[] = {"-5",   "-1e-3",  "-1e30", "0",      "1e-30", "1e-300", "1e-6",
                                "0.05", "1e30",   "1e38",  "1e308",  "1e400", "-1e400", "nan",
                                "inf",  "-32768", "32767", "100000", "4",     "0.35"};

const float kHostileFloats[] = {-5,    -1e-3f, -1e30f, 0, 1e-30f,   1e-45f,    1e-6f, 0.05f,
                                1e30f, 3e38f,  0.6f,   4, INFINITY, -INFINITY, NAN};

QString hostile(QRandomGenerator& random) {
    return QString::fromLatin1(kHostile[random.bounded(int(std::size(kHostile)))]);
}

float hostileFloat(QRandomGenerator& random) {
    return kHostileFloats[random.bounded(int(std::size(kHostileFloats)))];
}

} // namespace

TEST(HostileFigures, NoOutputHoldsInfinityOrNotANumber) {
    QRandomGenerator random(23);
    const QList<TextId> fields{txtPer(0), txtPer(1), txtDelay(2), txtCar(0),
                               txtCar(1), txtCar(2), txtCar(3)};
    for (int file = 0; file < 200; ++file) {
        TrainData data;
        for (TextId id : fields) {
            if (random.bounded(2))
                data.setText(id, hostile(random));
        }
        AccelerationTable table = data.accelerationTable();
        for (AccelerationRow& row : table) {
            if (random.bounded(2))
                continue;
            row.accel1 = hostileFloat(random);
            row.accel2 = hostileFloat(random);
            row.curve = hostileFloat(random);
            row.speed1 = std::int16_t(random.bounded(-200, 200));
            row.speed2 = std::int16_t(random.bounded(-200, 200));
        }
        data.setAccelerationTable(table);
        const double grade = random.bounded(81) - 40;
        const PerformanceFigures f = computePerformance(performanceTrain(data), grade);
        const FiguresContext context{QStringLiteral("hostile.dat"), {}, 100};
        const QString all = performanceText(f, &f, context) + performanceCsv(f, &f, context) +
                            QString::fromUtf8(QJsonDocument(performanceJson(f, &f)).toJson());
        ASSERT_FALSE(all.contains(QStringLiteral("inf"), Qt::CaseInsensitive)) << file;
        ASSERT_FALSE(all.contains(QStringLiteral("nan"), Qt::CaseInsensitive)) << file;
    }
}
