// The Points Edit dialog stepping through an arbitrary waveform and storing typed voltages.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <utility>
#include <vector>

#include "dialogs_fixture.h"
#include "document/command_ids.h"
#include "view/dialogs/points_edit_dialog.h"
#include "view/entry/num_edit.h"

namespace korvane {
namespace {

class PointsEditTest : public ::testing::Test {
  protected:
    PointsEditTest() {
        ChannelState& channel = fixture.Channel();
        channel.SetWaveType(Arbitrary);
        channel.arbPointCount = 1000;
        for (int k = 0; k < 1000; ++k) {
            channel.arbPoints[static_cast<std::size_t>(k)] = static_cast<float>(k) / 1000.0f;
        }
        channel.pointCount = 1000;
        channel.arbScrollRange = 1000;
        channel.arbViewPosition = 0.0f;
        fixture.panel.resize(500, 300);
    }

    std::unique_ptr<PointsEditDialog> Open(int index) {
        auto dialog = std::make_unique<PointsEditDialog>(
            fixture.document, index,
            [this](int point, int column) { published.emplace_back(point, column); });
        dialog->show();
        return dialog;
    }

    static void Retype(QLineEdit& field, const QString& text) {
        field.selectAll();
        QTest::keyClicks(&field, text);
    }

    DocumentFixture fixture;
    std::vector<std::pair<int, int>> published;
};

TEST_F(PointsEditTest, OpensOnTheHandedPointAndPublishesIt) {
    auto dialog = Open(250);
    EXPECT_EQ(dialog->IndexField().text(), QStringLiteral("250"));
    EXPECT_EQ(dialog->VoltageField().text(), QStringLiteral("0.250"));
    ASSERT_EQ(published.size(), 1u);
    EXPECT_EQ(published.back(), std::make_pair(250, 125));  // 1000 points across 500 pixels
}

TEST_F(PointsEditTest, AnIndexBeyondTheTableShowsTheLastPoint) {
    auto dialog = Open(0);
    Retype(dialog->IndexField(), QStringLiteral("5000"));
    EXPECT_EQ(dialog->Point(), 999);
    EXPECT_EQ(dialog->IndexField().text(), QStringLiteral("999"));
    EXPECT_EQ(dialog->VoltageField().text(), QStringLiteral("0.999"));
    EXPECT_EQ(published.back().first, 999);
}

TEST_F(PointsEditTest, PreviousAndNextStopAtTheEnds) {
    auto dialog = Open(0);
    QTest::mouseClick(&dialog->PreviousButton(), Qt::LeftButton);
    EXPECT_EQ(dialog->Point(), 0);
    QTest::mouseClick(&dialog->NextButton(), Qt::LeftButton);
    EXPECT_EQ(dialog->Point(), 1);
    EXPECT_EQ(dialog->IndexField().text(), QStringLiteral("1"));
    Retype(dialog->IndexField(), QStringLiteral("999"));
    QTest::mouseClick(&dialog->NextButton(), Qt::LeftButton);
    EXPECT_EQ(dialog->Point(), 999);
    std::vector<int> indexes;
    for (const auto& entry : published) {
        indexes.push_back(entry.first);
    }
    EXPECT_EQ(indexes, (std::vector<int>{0, 0, 1, 9, 99, 999, 999}));
}

TEST_F(PointsEditTest, TypedVoltagesAreStoredWithinTenVolts) {
    const struct {
        const char* typed;
        float stored;
    } cases[] = {{"12", 10.0f}, {"-3", -3.0f}, {"-15", -10.0f}, {"-", 0.0f}, {"1.25", 1.25f}};
    auto dialog = Open(7);
    for (const auto& c : cases) {
        Retype(dialog->VoltageField(), QString::fromLatin1(c.typed));
        EXPECT_FLOAT_EQ(fixture.Channel().arbPoints[7], c.stored) << c.typed;
    }
    EXPECT_FLOAT_EQ(fixture.Channel().arbPoints[8], 0.008f);
}

TEST_F(PointsEditTest, BrowsingNeverRoundsThePoints) {
    fixture.Channel().arbPoints[3] = 0.123456f;
    auto dialog = Open(2);
    QTest::mouseClick(&dialog->NextButton(), Qt::LeftButton);
    QTest::mouseClick(&dialog->NextButton(), Qt::LeftButton);
    EXPECT_FLOAT_EQ(fixture.Channel().arbPoints[3], 0.123456f);
}

TEST_F(PointsEditTest, EnterStoresAndKeepsTheDialogOpen) {
    auto dialog = Open(4);
    dialog->VoltageField().SetValue(-2.5f, true);
    QTest::keyClick(&dialog->VoltageField(), Qt::Key_Return);
    EXPECT_FLOAT_EQ(fixture.Channel().arbPoints[4], -2.5f);
    EXPECT_TRUE(dialog->isVisible());
}

TEST_F(PointsEditTest, ANonIntegerIndexIsRefusedAndTheIndexStays) {
    auto dialog = Open(10);
    Retype(dialog->IndexField(), QStringLiteral("abc"));
    EXPECT_EQ(dialog->Point(), 10);
    EXPECT_FALSE(fixture.messages.isEmpty());
}

TEST_F(PointsEditTest, NothingIsDownloadedWhileEditing) {
    auto dialog = Open(0);
    fixture.DrainQueue();
    Retype(dialog->VoltageField(), QStringLiteral("1"));
    QTest::mouseClick(&dialog->NextButton(), Qt::LeftButton);
    EXPECT_TRUE(fixture.Channel().QueuedCommands().empty());
}

TEST_F(PointsEditTest, TheCommandIsOfferedOnlyWithPointsToEdit) {
    const auto enabled = [this] {
        return RouteUpdate({&fixture.panel.Commands()}, kCmdPointsEdit).enabled;
    };
    EXPECT_TRUE(enabled());
    fixture.Channel().arbPointCount = 0;
    EXPECT_FALSE(enabled());
    fixture.Channel().arbPointCount = 1;
    EXPECT_TRUE(enabled());
    fixture.Channel().SetWaveType(Sine);
    EXPECT_FALSE(enabled());
}

}  // namespace
}  // namespace korvane
