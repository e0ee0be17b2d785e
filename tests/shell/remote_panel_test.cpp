// The running program serving its device windows: a remote client's change shows on the panel.
#include <gtest/gtest.h>

#include "document/multi_tessel_doc.h"
#include "engine/channel_state.h"
#include "engine/device_library/simulated_device_library.h"
#include "remote/scpi_test_client.h"
#include "shell/main_frame.h"
#include "shell_fixture.h"
#include "view/controls/on_off.h"
#include "view/entry/step_edit.h"
#include "view/multi_tessel_view.h"

namespace korvane {
namespace {

const PanelForm& PanelOf(const CMultiTesselDoc& document) {
    return static_cast<const CMultiTesselView*>(document.View())->Form();
}

TEST(RemotePanel, ARemoteChangeShowsOnThePanelOfTheServedWindow) {
    const int port = scpi::testing::FreeLoopbackPort();
    ProgramUnderTest program(1);
    program.WriteFile(QStringLiteral("config.ini"), QByteArray("[Remote]\r\nEnabled=1\r\nPort=") +
                                                        QByteArray::number(port) + "\r\n");
    ASSERT_TRUE(program.Start());

    scpi::testing::Client client(port);
    ASSERT_TRUE(client.Connected());
    EXPECT_EQ(client.Query("FUNC SQU;FREQ 2.5kHz;VOLT 1.25;*OPC?"), "1");

    const PanelForm& panel = PanelOf(program.Device(0));
    EXPECT_TRUE(WaitFor([&] { return panel.frequency->text() == QStringLiteral("2500.000"); }))
        << panel.frequency->text().toStdString();
    EXPECT_EQ(panel.amplitude->text(), QStringLiteral("1.250"));
    EXPECT_TRUE(panel.waveKeys[Square]->Value());
    EXPECT_FALSE(panel.waveKeys[Sine]->Value());
    // The simulated generator got the frequency through the window's worker.
    EXPECT_TRUE(WaitFor([&] {
        for (const SimulatedDeviceLibrary::Call& call : program.Simulator().CallLog()) {
            if (call.name == "DDSSetFrequency" && call.value == 2500.0) {
                return true;
            }
        }
        return false;
    }));
    program.Quit();
}

}  // namespace
}  // namespace korvane
