#include "sound/soundtexts.h"

namespace Orlenda {

QString soundCaption() {
    return QStringLiteral("試聴");
}

QString unusableSoundText(const SoundInfo& info) {
    const QString file = info.file.isEmpty() ? QStringLiteral("ファイルなし") : info.file;
    QString text = QStringLiteral("音源 %1（%2）は%3。")
                       .arg(info.number)
                       .arg(file, soundStateText(info.state));
    if (!info.reason.isEmpty())
        text += QStringLiteral("%1。").arg(info.reason);
    return text + QStringLiteral("この音源は鳴りません。");
}

QString noUsableSoundText() {
    return QStringLiteral("使える音源がありません。");
}

QString topSpeedNotReachedText(int notch, int asked, int reached) {
    return QStringLiteral("ノッチ %1 では %2 km/h に達しません。%3 km/h まで走行します。")
        .arg(notch)
        .arg(asked)
        .arg(reached);
}

} // namespace Orlenda
