#include "sound/soundinfo.h"

namespace Orlenda {

QString soundStateText(SoundState state) {
    switch (state) {
    case SoundState::Usable:
        return QStringLiteral("使用可");
    case SoundState::Missing:
        return QStringLiteral("見つかりません");
    case SoundState::Unreadable:
        return QStringLiteral("読めません");
    case SoundState::TooLong:
        return QStringLiteral("長すぎます");
    case SoundState::Pending:
        return QStringLiteral("読み込み中");
    }
    return {};
}

} // namespace Orlenda
