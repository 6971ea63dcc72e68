#include "sound/soundchoices.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <algorithm>

namespace Orlenda {

QString SoundChoice::folderFor(const QString& trainPath) const {
    if (!folder.isEmpty())
        return folder;
    return trainPath.isEmpty() ? QString() : QFileInfo(trainPath).absolutePath();
}

SoundAssignment SoundChoice::assignment() const {
    SoundAssignment result;
    for (const auto& [number, name] : assigned)
        result.assign(number, name);
    return result;
}

namespace {

const QString Group = QStringLiteral("SoundChoices");

bool isPlainText(const QString& text) {
    return std::none_of(text.begin(), text.end(),
                        [](QChar c) { return c.unicode() < 0x20 || c.unicode() == 0x7F; });
}

bool isUsablePath(const QString& path) {
    return !path.isEmpty() && path.size() <= SoundChoices::MaxPathLength &&
           QDir::isAbsolutePath(path) && isPlainText(path);
}

bool isUsableName(const QString& name) {
    return name.size() <= SoundChoices::MaxNameLength && isPlainText(name) &&
           !name.contains(QLatin1Char('/')) && !name.contains(QLatin1Char('\\')) &&
           name != QStringLiteral(".") && name != QStringLiteral("..");
}

std::optional<QString> pathValue(const QSettings& settings, const QString& key) {
    const QVariant value = settings.value(key);
    if (value.typeId() != QMetaType::QString)
        return std::nullopt;
    return value.toString();
}

// "number|name" for each number, name empty for none.
std::optional<std::pair<int, QString>> assignmentOf(const QString& text) {
    const qsizetype bar = text.indexOf(QLatin1Char('|'));
    if (bar <= 0 || bar > 5)
        return std::nullopt;
    bool ok = false;
    const int number = text.left(bar).toInt(&ok);
    if (!ok || number < 0 || number > 32767)
        return std::nullopt;
    const QString name = text.mid(bar + 1);
    if (!isUsableName(name))
        return std::nullopt;
    return std::pair{number, name};
}

} // namespace

void SoundChoices::load(QSettings& settings) {
    mEntries.clear();
    settings.beginGroup(Group);
    for (int i = 0; i < Capacity; ++i) {
        const QString prefix = QStringLiteral("File%1/").arg(i);
        const std::optional<QString> train = pathValue(settings, prefix + QStringLiteral("Path"));
        if (!train || !isUsablePath(*train) || find(*train))
            continue;
        Entry entry{*train, {}};
        if (const std::optional<QString> folder =
                pathValue(settings, prefix + QStringLiteral("Folder"));
            folder && isUsablePath(*folder))
            entry.choice.folder = *folder;
        const QVariant list = settings.value(prefix + QStringLiteral("Assigned"));
        if (list.typeId() == QMetaType::QStringList || list.typeId() == QMetaType::QString) {
            const QStringList texts = list.toStringList();
            for (qsizetype k = 0; k < std::min<qsizetype>(texts.size(), MaxAssigned); ++k) {
                if (const auto pair = assignmentOf(texts[k]))
                    entry.choice.assigned.insert(*pair);
            }
        }
        mEntries.append(entry);
    }
    settings.endGroup();
}

void SoundChoices::store(QSettings& settings) const {
    settings.remove(Group);
    settings.beginGroup(Group);
    for (qsizetype i = 0; i < mEntries.size(); ++i) {
        const QString prefix = QStringLiteral("File%1/").arg(i);
        const Entry& entry = mEntries[i];
        settings.setValue(prefix + QStringLiteral("Path"), entry.trainPath);
        if (!entry.choice.folder.isEmpty())
            settings.setValue(prefix + QStringLiteral("Folder"), entry.choice.folder);
        QStringList texts;
        for (const auto& [number, name] : entry.choice.assigned)
            texts.append(QString::number(number) + QLatin1Char('|') + name);
        if (!texts.isEmpty())
            settings.setValue(prefix + QStringLiteral("Assigned"), texts);
    }
    settings.endGroup();
}

std::optional<SoundChoice> SoundChoices::find(const QString& trainPath) const {
    if (trainPath.isEmpty())
        return mSession;
    for (const Entry& entry : mEntries) {
        if (entry.trainPath == trainPath)
            return entry.choice;
    }
    return std::nullopt;
}

void SoundChoices::remember(const QString& trainPath, const SoundChoice& choice) {
    if (trainPath.isEmpty()) {
        mSession = choice;
        return;
    }
    mEntries.removeIf([&](const Entry& e) { return e.trainPath == trainPath; });
    mEntries.prepend(Entry{trainPath, choice});
    while (mEntries.size() > Capacity)
        mEntries.removeLast();
}

} // namespace Orlenda
