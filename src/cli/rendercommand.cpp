#include "cli/rendercommand.h"

#include "cli/cliprompter.h"
#include "document/traindata.h"
#include "shared/atomicfile.h"
#include "shared/pathname.h"
#include "sound/soundbank.h"
#include "sound/soundrender.h"
#include "sound/soundtexts.h"

#include <QFileInfo>
#include <QLocale>
#include <cmath>

namespace Orlenda {

namespace {

constexpr double MaxHeldSpeed = (MotorSoundRows - 1) * MotorSoundKmhPerRow;

std::optional<double> decimalIn(const QString& text, double low, double high) {
    bool ok = false;
    const double v = QLocale::c().toDouble(text, &ok);
    if (!ok || !(v >= low - 1e-9 && v <= high + 1e-9))
        return std::nullopt;
    return v;
}

std::optional<int> wholeIn(const QString& text, int low, int high) {
    bool ok = false;
    const int v = text.toInt(&ok);
    if (!ok || v < low || v > high)
        return std::nullopt;
    return v;
}

struct Assignment {
    int number = 0;
    QString file;
};

// N=FILE, a name in the sound folder; N= plays nothing for N.
std::optional<Assignment> assignArgument(const QString& text) {
    const qsizetype eq = text.indexOf(QLatin1Char('='));
    if (eq <= 0)
        return std::nullopt;
    const auto number = wholeIn(text.left(eq), 0, SoundAssignment::MaxNumber);
    const QString file = text.mid(eq + 1);
    if (!number || file.contains(QLatin1Char('/')) || file == u"." || file == u"..")
        return std::nullopt;
    return Assignment{*number, file};
}

struct RenderOptions {
    std::optional<int> notch; // index 0..7
    std::optional<int> to;
    int speedUp = 1;
    std::optional<double> speed;
    std::optional<double> seconds;
    bool brake = false;
    QString sounds;
    SoundAssignment assignment;
};

std::optional<RenderOptions> readRenderOptions(const QCommandLineParser& options) {
    RenderOptions o;
    const auto speed = [](const QString& t) { return decimalIn(t, 0, MaxHeldSpeed); };
    const auto seconds = [](const QString& t) { return decimalIn(t, 0.1, 600); };
    const auto to = [](const QString& t) { return wholeIn(t, 1, RunProfile::MaxTopSpeed); };
    const auto speedUp = [](const QString& t) {
        return choiceArgument<int>(t, {{"1", 1}, {"2", 2}, {"4", 4}});
    };
    if (!readOption(options, QStringLiteral("run"), notchArgument, o.notch) ||
        !readOption(options, QStringLiteral("to"), to, o.to) ||
        !readOption(options, QStringLiteral("speedup"), speedUp, o.speedUp) ||
        !readOption(options, QStringLiteral("speed"), speed, o.speed) ||
        !readOption(options, QStringLiteral("seconds"), seconds, o.seconds) ||
        !readOption(options, QStringLiteral("sounds"), nameArgument, o.sounds))
        return std::nullopt;
    for (const QString& text : options.values(QStringLiteral("assign"))) {
        const auto a = assignArgument(text);
        if (!a)
            return std::nullopt;
        o.assignment.assign(a->number, a->file);
    }
    o.brake = options.isSet(QStringLiteral("brake"));
    const bool run = o.notch.has_value();
    const bool held = o.speed || o.seconds || o.brake;
    if (run == held)
        return std::nullopt;
    if (run && (options.isSet(QStringLiteral("speed")) || options.isSet(QStringLiteral("seconds"))))
        return std::nullopt;
    if (!run && (o.to || options.isSet(QStringLiteral("speedup")) || !o.speed || !o.seconds))
        return std::nullopt;
    return o;
}

} // namespace

std::optional<int> motorRenderCommand(const CliRequest& request) {
    const std::optional<RenderOptions> o = readRenderOptions(request.options);
    if (!o)
        return std::nullopt;
    const QString in = request.arguments.at(0);
    const QString out = request.arguments.at(1);
    CliPrompter& prompter = request.prompter;

    TrainData data;
    if (!openInput(data, in, prompter))
        return CliFailed;
    const QString folder =
        o->sounds.isEmpty() ? QFileInfo(absolutePath(in)).absolutePath() : absolutePath(o->sounds);

    RenderRequest render;
    if (o->notch) {
        const PerformanceTrain train = performanceTrain(data);
        const int notch = *o->notch + 1;
        const int reached = RunProfile::reachableTopSpeed(train, notch);
        int top = o->to.value_or(RunProfile::defaultTopSpeed(train, notch));
        if (reached > 0 && top > reached) {
            prompter.ask(soundCaption(), topSpeedNotReachedText(notch, top, reached),
                         Prompter::Icon::Warning);
            top = reached;
        }
        const auto profile = RunProfile::make(train, notch, top);
        if (const QString* why = std::get_if<QString>(&profile)) {
            printFileError(request.err, absolutePath(in), QStringLiteral("cannot run: %1").arg(*why));
            return CliFailed;
        }
        render.run = std::get<RunProfile>(profile);
        render.speedUp = o->speedUp;
    } else {
        render.speed = *o->speed;
        render.seconds = *o->seconds;
        render.state = o->brake ? DriveState::Brake : DriveState::Power;
    }

    auto bank = std::make_shared<SoundBank>();
    bank->setFolder(SoundFolder(folder));
    bank->setAssignment(o->assignment);
    const MotorSoundTable& table = data.motorSoundTable();
    const QList<int> numbers = soundNumbersUsed(table, render);
    bank->prepareAndWait(numbers);
    int usable = 0;
    for (int n : numbers) {
        const SoundInfo info = bank->info(n);
        if (info.state == SoundState::Usable)
            ++usable;
        else
            prompter.ask(soundCaption(), unusableSoundText(info), Prompter::Icon::Warning);
    }
    if (usable == 0) {
        printFileError(request.err, folder, QStringLiteral("no sound the tracks use can be played"));
        return CliFailed;
    }
    return writeOutput(out, "WAV file", prompter, request.err,
                       [&] { writeFileAtomically(out, renderToWav(bank, table, render)); });
}

} // namespace Orlenda
