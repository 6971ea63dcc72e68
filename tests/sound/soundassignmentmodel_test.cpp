#include "sound/soundassignmentmodel.h"

#include <gtest/gtest.h>

using namespace Orlenda;

TEST(SoundAssignmentModel, RowsShowEachNumbersFileAndStateAndFollowTheBank) {
    QMap<int, SoundInfo> infos;
    infos[0] = {0, QStringLiteral("motor0.wav"), 1.5, 44100, 2, SoundState::Usable, {}};
    infos[3] = {3, QStringLiteral("3.wav"), 0, 0, 0, SoundState::Unreadable,
                QStringLiteral("音声ファイルではありません")};
    infos[7] = {7, QString(), 0, 0, 0, SoundState::Missing, {}};
    SoundAssignmentModel model([&](int n) { return infos.value(n); });
    model.setNumbers({0, 3, 7});
    ASSERT_EQ(model.rowCount(), 3);
    auto text = [&](int row, int column) {
        return model.data(model.index(row, column)).toString();
    };
    EXPECT_EQ(text(0, SoundAssignmentModel::Length), QStringLiteral("1.50 秒"));
    EXPECT_EQ(text(0, SoundAssignmentModel::Rate), QStringLiteral("44100 Hz"));
    EXPECT_EQ(text(0, SoundAssignmentModel::State), QStringLiteral("使用可"));
    EXPECT_EQ(text(1, SoundAssignmentModel::State),
              QStringLiteral("読めません：音声ファイルではありません"));
    EXPECT_EQ(text(1, SoundAssignmentModel::Length), QString());
    EXPECT_EQ(text(2, SoundAssignmentModel::File), QStringLiteral("（なし）"));
    EXPECT_EQ(text(2, SoundAssignmentModel::State), QStringLiteral("見つかりません"));

    infos[7] = {7, QStringLiteral("long7.wav"), 61, 48000, 1, SoundState::TooLong, {}};
    model.refreshNumber(7);
    EXPECT_EQ(text(2, SoundAssignmentModel::State), QStringLiteral("長すぎます"));
    EXPECT_EQ(text(2, SoundAssignmentModel::Channels), QStringLiteral("1"));
}
