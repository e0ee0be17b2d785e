// The whole road of one change: typed on the panel, sent by the channel's worker to a simulated
// generator, measured back and shown in the readout.
#include <QLineEdit>
#include <algorithm>

#include "engine/device_session.h"
#include "engine/synthesis.h"
#include "view_panel_fixture.h"

namespace korvane::test {
namespace {

constexpr int kPatienceMs = 20000;  // a generous bound for a loaded machine, not a timing claim

// Index of the first call named `name` at or after `from` whose main value is `value`.
std::ptrdiff_t FindCall(const std::vector<SimulatedDeviceLibrary::Call>& log, std::size_t from,
                        const std::string& name, double value) {
    for (std::size_t i = from; i < log.size(); ++i) {
        if (log[i].name == name && log[i].value == value) {
            return static_cast<std::ptrdiff_t>(i);
        }
    }
    return -1;
}

TEST_F(FrontPanelTest, TypedFrequencyReachesTheDeviceAndItsMeasurementTheReadout) {
    DeviceSession session(channel());
    ASSERT_TRUE(QTest::qWaitFor([&] { return channel().QueuedCommands().empty(); }, kPatienceMs));
    library.ClearCallLog();

    TypeInto(*form().frequency, "5000");
    ASSERT_DOUBLE_EQ(channel().frequency, 5000.0);

    // 5 kHz: divider 10, one period of 4000 points.
    std::ptrdiff_t setAt = -1;
    std::ptrdiff_t downloadAt = -1;
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            const auto log = library.CallLog();
            setAt = FindCall(log, 0, "DDSSetFrequency", 5000.0);
            downloadAt = setAt < 0 ? -1 : FindCall(log, std::size_t(setAt), "DDSDownload", 4000);
            return downloadAt > setAt && setAt >= 0;
        },
        kPatienceMs));
    EXPECT_EQ(channel().pointCount, 4000);
    EXPECT_EQ(channel().periodCount, 1);

    WaveParams params = channel().Snapshot();
    std::vector<std::uint16_t> expected(std::size_t(params.pointCount));
    FillDacCodes(params, expected, ThreadNoise());
    EXPECT_EQ(library.Device(0).codes, expected);

    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            view->TimerTick();
            return form().readout->text() == "5.00 KHz";
        },
        kPatienceMs))
        << form().readout->text().toStdString();
}

TEST_F(FrontPanelTest, ADemoChannelChangesItsFieldsButQueuesNothing) {
    channel().demo = 1;
    channel().deviceIndex = -1;
    TypeInto(*form().frequency, "7000");
    Press(*form().singleWave.key);
    Press(*form().extTrigger.key);
    EXPECT_DOUBLE_EQ(channel().frequency, 7000.0);
    EXPECT_EQ(channel().singleWave, 1);
    EXPECT_EQ(channel().extTrigger, 1);
    const std::vector<int> queue = Queue();
    EXPECT_TRUE(std::all_of(queue.begin(), queue.end(), [](int code) { return code == Download; }))
        << queue.size();
}

}  // namespace
}  // namespace korvane::test
