#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <fstream>

#include "document/multi_tessel_doc.h"
#include "engine/channel_state.h"
#include "engine/device_library/simulated_device_library.h"
#include "engine/scpi_test_client.h"
#include "shell/language/ini_file.h"
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

}  // namespace
}  // namespace korvane
