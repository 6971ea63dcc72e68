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

std::optional<int> motorExportCommand(const CliRequest& request) {
    const QStringList& a = request.arguments;
    const std::optional<Track> track = motorSoundTrackOfName(a.at(1));
    if (!track)
        return std::nullopt;
    return exportTrack(a.at(0), int(*track), a.at(2), request.prompter, request.err);
}

std::optional<int> motorImportCommand(const CliRequest& request) {
    const QStringList& a = request.arguments;
    const std::optional<Track> track = motorSoundTrackOfName(a.at(1));
    if (!track)
        return std::nullopt;
    return importTrack(a.at(0), int(*track), a.at(2), a.at(3), request.prompter, request.err);
}

} // namespace Orlenda
