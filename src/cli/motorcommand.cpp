#include "cli/motorcommand.h"

#include "cli/clicommon.h"
#include "cli/cliprompter.h"
#include "document/motorsoundtext.h"
#include "document/traindata.h"
#include "document/trainfilewriter.h"
#include "motorsound/motorsoundcsv.h"
#include "shared/failure.h"

namespace Orlenda {

namespace {

int exportTrack(const QString& in, int track, const QString& out, CliPrompter& prompter,
                QTextStream& err) {
    TrainData data;
    if (!openInput(data, in, prompter))
        return CliFailed;
    return writeOutput(out, "CSV file", prompter, err, [&] {
        writeMotorSoundCsvFile(out, motorSoundCsv(data.motorSoundTable().tracks[std::size_t(track)]));
    });
}

int importTrack(const QString& in, int track, const QString& csv, const QString& out,
                CliPrompter& prompter, QTextStream& err) {
    TrainData data;
    if (!openInput(data, in, prompter))
        return CliFailed;
    const MotorSoundCsvResult read = readMotorSoundCsvFile(csv);
    if (!read.ok()) {
        printFileError(
            err, read.badLine > 0 ? csv + QLatin1Char(':') + QString::number(read.badLine) : csv,
            read.problem);
        return CliFailed;
    }
    MotorSoundTable table = data.motorSoundTable();
    table.tracks[std::size_t(track)] = read.track;
    data.setMotorSoundTable(table);
    if (!saveTo(data, out, prompter))
        return CliFailed;
    return statusAfterQuestions(prompter);
}

} // namespace

std::optional<int> motorCommand(const QStringList& arguments, CliPrompter& prompter,
                                QTextStream& err) {
    const QString what = arguments.value(0);
    const std::optional<Track> name = motorSoundTrackOfName(arguments.value(2));
    if (!name)
        return std::nullopt;
    const int track = int(*name);
    if (what == QLatin1String("export") && arguments.size() == 4)
        return exportTrack(arguments.at(1), track, arguments.at(3), prompter, err);
    if (what == QLatin1String("import") && arguments.size() == 5)
        return importTrack(arguments.at(1), track, arguments.at(3), arguments.at(4), prompter,
                           err);
    return std::nullopt;
}

} // namespace Orlenda
