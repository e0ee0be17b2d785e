#include <gtest/gtest.h>

#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include "engine/device_library/simulated_device_library.h"
#include "shell/device_list_dialog.h"
#include "shell/device_tab_bar.h"
#include "shell_fixture.h"
#include "support/borrowed_library.h"

namespace korvane {
namespace {

// A simulator of two generators whose first one the library describes as a sound card output,
// the way the sound-card library names its devices; the second it says nothing about.
class DescribedLibrary : public testing::BorrowedLibrary {
  public:
    explicit DescribedLibrary(DeviceLibrary& inner) : BorrowedLibrary(inner) {}
    std::string Describe(int device) const override {
        return device == 0 ? "Sound card left output (file)" : std::string();
    }
};

struct DescribedProgram {
    SimulatedDeviceLibrary simulator{2};
    ProgramUnderTest program{std::make_unique<DescribedLibrary>(simulator), simulator};
};

TEST(DeviceNaming, TheDeviceListSaysWhichRowIsTheSoundCardOutput) {
    DescribedProgram described;
    ASSERT_TRUE(described.program.Start());
    ASSERT_EQ(described.program.responder.deviceLists.size(), 1);
    EXPECT_EQ(described.program.responder.deviceLists[0],
              (QStringList{"1  Sound card left output (file)", "2"}));
}

TEST(DeviceNaming, TabToolTipAndStatusBarNameTheSoundCardOutput) {
    DescribedProgram described;
    ProgramUnderTest& program = described.program;
    ASSERT_TRUE(program.Start());  // OK on the first row: device 0
    EXPECT_EQ(program.Frame().TabBar().tabToolTip(0),
              QStringLiteral("Sound card left output (file)"));
    ASSERT_TRUE(WaitFor([&] {
        program.Frame().TimerTick();
        return program.Frame().PaneText(0) == QStringLiteral("Connect");
    }));
    EXPECT_EQ(program.Frame().PaneText(1), QStringLiteral("Sound card left output (file)"));
}

TEST(DeviceNaming, AnUndescribedDeviceKeepsTheSerialNumberAndNoToolTip) {
    DescribedProgram described;
    ProgramUnderTest& program = described.program;
    program.responder.onDeviceList = [](DeviceListDialog& dialog) {
        dialog.List().selectRow(1);
        QTest::mouseClick(&dialog.OkButton(), Qt::LeftButton);
    };
    ASSERT_TRUE(program.Start());
    EXPECT_EQ(program.Frame().TabBar().tabToolTip(0), QString());
    ASSERT_TRUE(WaitFor([&] {
        program.Frame().TimerTick();
        return program.Frame().PaneText(0) == QStringLiteral("Connect");
    }));
    EXPECT_TRUE(
        program.Frame().PaneText(1).startsWith(QStringLiteral("Combine Device Serial Number")))
        << program.Frame().PaneText(1).toStdString();
}

}  // namespace
}  // namespace korvane
