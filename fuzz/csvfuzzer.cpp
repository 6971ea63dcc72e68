// The motor-sound CSV reader on any bytes: it ends, it tells every problem
// in Japanese with the line it is on, and a track it accepts is written back
// to a CSV that reads as the same track, in the same bytes again.
#include "fuzzcheck.h"

#include "motorsound/motorsoundcsv.h"

#include <cstdint>

using namespace Orlenda;

namespace {

bool holdsLatinLetters(const QString& text) {
    for (QChar c : text) {
        if ((c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'))
            return true;
    }
    return false;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    const QByteArray csv = fuzzBytes(bytes, size);
    const MotorSoundCsvResult read = readMotorSoundCsv(csv);
    if (!read.ok()) {
        // Only a file as a whole goes without a line, and bytes are no file.
        if (read.badLine < 1 || read.badLine > csv.count('\n') + 2)
            fuzzFailure(QStringLiteral("a refusal names line %1 of %2 bytes")
                            .arg(read.badLine)
                            .arg(csv.size()));
        if (holdsLatinLetters(read.problem))
            fuzzFailure(QStringLiteral("a refusal is not all Japanese: ") + read.problem);
        return 0;
    }
    const QByteArray written = motorSoundCsv(read.track);
    const MotorSoundCsvResult back = readMotorSoundCsv(written);
    if (!back.ok())
        fuzzFailure(QStringLiteral("an accepted track, written, is refused: ") + back.errorText());
    if (back.track != read.track)
        fuzzFailure(QStringLiteral("an accepted track, written and read again, differs"));
    if (motorSoundCsv(back.track) != written)
        fuzzFailure(QStringLiteral("an accepted track is written in other bytes the second time"));
    return 0;
}
