#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <fstream>

#include "document/multi_tessel_doc.h"
#include "engine/channel_state.h"
#include "engine/device_library/simulated_device_library.h"
#include "i18n/language_table.h"
#include "platform/ini_file.h"
#include "remote/scpi_test_client.h"
#include "shell/remote_service.h"

namespace korvane {
namespace {

using scpi::testing::Client;

class RemoteConfig : public ::testing::Test {
  protected:
    IniFile Config(const std::string& text) {
        const std::string path = folder_.filePath("config.ini").toStdString();
        std::ofstream(path) << text;
        return IniFile(path);
    }

  private:
    QTemporaryDir folder_;
};

TEST_F(RemoteConfig, EnabledAndPortFromTheRemoteSection) {
    struct Case {
        std::string text;
        bool enabled;
        int port;
    };
    const std::vector<Case> cases = {
        {"", false, 5025},
        {"[Form]\nLanguage=0\n", false, 5025},
        {"[Remote]\nEnabled=0\nPort=6000\n", false, 6000},
        {"[Remote]\nEnabled=1\n", true, 5025},
        {"[Remote]\nEnabled=1\nPort=5555\n", true, 5555},
        {"[Remote]\nEnabled=yes\nPort=0\n", false, 5025},
        {"[Remote]\nEnabled=2\nPort=70000\n", true, 5025},
        {"[Remote]\nEnabled=1\nPort=50x\n", true, 5025},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const IniFile config = Config(c.text);
        EXPECT_EQ(RemoteEnabled(config), c.enabled);
        EXPECT_EQ(RemotePort(config), c.port);
    }
}

TEST_F(RemoteConfig, DisabledMeansNoServer) {
    RemoteService service;
    EXPECT_EQ(service.Configure(Config("[Remote]\nEnabled=0\n")), QString());
    EXPECT_FALSE(service.Serving());
}

TEST_F(RemoteConfig, TheDocumentsAreTheSourcesInTabOrder) {
    SimulatedDeviceLibrary library(0);
    CMultiTesselDoc first;
    CMultiTesselDoc second;
    first.CreateState(library);
    second.CreateState(library);

    RemoteService service;
    const int port = scpi::testing::FreeLoopbackPort();
    ASSERT_EQ(service.Configure(Config("[Remote]\nEnabled=1\nPort=" + std::to_string(port) + "\n")),
              QString());
    ASSERT_TRUE(service.Serving());
    EXPECT_EQ(service.Port(), port);
    service.ServeDocuments({&first, &second});

    Client client(port);
    EXPECT_EQ(client.Query("SOUR2:FREQ 2000;FREQ?"), "2000");
    EXPECT_EQ(second.m_pState->frequency, 2000.0);
    EXPECT_EQ(first.m_pState->frequency, 1000.0);

    // The first window closes: the second becomes SOURce1.
    service.ServeDocuments({&second});
    EXPECT_EQ(client.Query("FREQ?;SOUR2:FREQ?;:SYST:ERR?"),
              "2000;-114,\"Header suffix out of range\"");
}

// A script that sends its queries ahead of reading gets every answer from the program too, and a
// point table sent as a block does not run its bytes as commands.
TEST_F(RemoteConfig, PipelinedQueriesAndBlocksReachTheWindows) {
    SimulatedDeviceLibrary library(0);
    CMultiTesselDoc document;
    document.CreateState(library);
    RemoteService service;
    const int port = scpi::testing::FreeLoopbackPort();
    ASSERT_EQ(service.Configure(Config("[Remote]\nEnabled=1\nPort=" + std::to_string(port) + "\n")),
              QString());
    service.ServeDocuments({&document});

    Client client(port);
    // 0.5f little-endian is 00 00 00 3F; the second value's bytes, about 0.82,
    // start with a newline and "FR".
    client.Send("FORM:BORD SWAP;:DATA:ARB #18" + std::string("\0\0\0\x3f\nFR\x3f", 8) + "\n");
    EXPECT_EQ(client.Query("FREQ?;FUNC?;SYST:ERR:ALL?"), "1000;USER;0,\"No error\"");
    EXPECT_EQ(document.m_pState->arbPoints[0], 0.5f);

    std::string points = "DATA:ARB 1";
    for (int i = 1; i < kMaxPoints; ++i) {
        points += ",-1.234567";
    }
    client.Send(points + "\n");
    std::string queries;
    for (int i = 0; i < 100; ++i) {
        queries += "DATA:ARB?\n";
    }
    client.Send(queries);
    int answered = 0;
    while (answered < 100 && client.ReadLine().size() > 4096 * 2) {
        ++answered;
    }
    EXPECT_EQ(answered, 100);
    service.ServeDocuments({});
}

TEST_F(RemoteConfig, SettingsWrittenAreReadBack) {
    const IniFile config = Config("[Form]\nLanguage=1\n");
    const RemoteSettings settings{true, 6001, std::chrono::seconds(30)};
    ASSERT_EQ(WriteRemoteSettings(config, settings), 0);
    EXPECT_EQ(ReadRemoteSettings(config), settings);
    EXPECT_EQ(config.ReadString("Form", "Language"), "1");  // the rest of the file stays
}

// The status pane's word: serving, the port taken by another program, or off.
TEST_F(RemoteConfig, TheStateSaysWhetherItServesOrWhyNot) {
    const LanguageTable english;
    RemoteService first;
    const int port = scpi::testing::FreeLoopbackPort();
    ASSERT_EQ(first.Configure(RemoteSettings{true, port, std::chrono::seconds(0)}), QString());
    EXPECT_EQ(first.CurrentState(), RemoteService::State::kServing);
    EXPECT_EQ(RemoteStatusText(first, english), QStringLiteral("Remote: port %1").arg(port));

    RemoteService second;
    EXPECT_NE(second.Configure(RemoteSettings{true, port, std::chrono::seconds(0)}), QString());
    EXPECT_FALSE(second.Serving());
    EXPECT_EQ(second.CurrentState(), RemoteService::State::kPortInUse);
    EXPECT_EQ(RemoteStatusText(second, english),
              QStringLiteral("Remote: port %1 is in use").arg(port));

    EXPECT_EQ(first.Configure(RemoteSettings{}), QString());
    EXPECT_EQ(first.CurrentState(), RemoteService::State::kOff);
    EXPECT_EQ(RemoteStatusText(first, english), QString());
    // Freed, the port serves the second one now.
    EXPECT_EQ(second.Configure(RemoteSettings{true, port, std::chrono::seconds(0)}), QString());
    EXPECT_EQ(second.CurrentState(), RemoteService::State::kServing);
}

}  // namespace
}  // namespace korvane
