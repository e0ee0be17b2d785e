#include <gtest/gtest.h>

#include <string>
#include <thread>

#include "engine/device_library/simulated_device_library.h"
#include "remote/scpi_server.h"
#include "remote/served_devices.h"
#include "scpi_fixture.h"
#include "scpi_test_client.h"

namespace korvane::scpi {
namespace {

using testing::Client;
using testing::ScpiBench;

class ScpiServer : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_EQ(server.Start(), ""); }

    ScpiBench bench;
    Server server{bench.instrument, {"127.0.0.1", 0}};
};

TEST_F(ScpiServer, AnswersQueriesLineByLine) {
    Client client(server.Port());
    ASSERT_TRUE(client.Connected());
    EXPECT_EQ(client.Query("*IDN?"), "Korvane,KorvaneAWG,0,9.9.9");
    client.Send("SOUR2:FREQ 2.5MHZ\r\nSOUR2:FREQ?;VOLT?\n");
    EXPECT_EQ(client.ReadLine(), "2500000;2");
    EXPECT_EQ(bench.demo.frequency, 2500000.0);
}

TEST_F(ScpiServer, TwoClientsKeepTheirOwnErrors) {
    Client first(server.Port());
    Client second(server.Port());
    first.Send("BOGUS\n");
    EXPECT_EQ(first.Query("SYST:ERR:COUN?"), "1");
    EXPECT_EQ(second.Query("SYST:ERR?"), "0,\"No error\"");
    EXPECT_EQ(second.Query("SOUR2:VOLT 1;VOLT?"), "1");
    EXPECT_EQ(first.Query("SOUR2:VOLT?;:SYST:ERR?"), "1;-113,\"Undefined header\"");
}

TEST_F(ScpiServer, ADisconnectMidLineChangesNothing) {
    {
        Client leaving(server.Port());
        EXPECT_EQ(leaving.Query("SOUR2:FREQ?"), "1000");
        leaving.Send("SOUR2:FREQ 3000");
    }
    Client staying(server.Port());
    EXPECT_EQ(staying.Query("SOUR2:FREQ?"), "1000");
    EXPECT_EQ(bench.demo.frequency, 1000.0);
}

TEST_F(ScpiServer, AClientLeavingWhileItsLineWaitsDisturbsNoOne) {
    {
        Client leaving(server.Port());
        // Nothing polls the device here, so the line waits at *OPC? until the client goes.
        leaving.Send("FREQ 2000;*OPC?;FREQ 3000\n");
    }
    Client staying(server.Port());
    EXPECT_EQ(staying.Query("FREQ?"), "2000");
    EXPECT_EQ(staying.Query("SOUR2:VOLT 1;VOLT?"), "1");
    EXPECT_EQ(bench.device.frequency, 2000.0);
}

TEST_F(ScpiServer, AnOversizeLineIsDroppedAndReported) {
    Client hostile(server.Port());
    Client bystander(server.Port());
    hostile.Send("SOUR2:FREQ 5000;" + std::string(1024 * 1024, 'A') + "\n");
    EXPECT_EQ(hostile.Query("SYST:ERR?"), "-363,\"Input buffer overrun\"");
    EXPECT_EQ(hostile.Query("SOUR2:FREQ?"), "1000");
    EXPECT_EQ(bystander.Query("*IDN?"), "Korvane,KorvaneAWG,0,9.9.9");
    // A line of exactly the largest size is still taken.
    std::string longest = "SOUR2:FREQ 4000;";
    longest += std::string(Server::kMaxLineBytes - longest.size() - 6, ' ') + "FREQ?";
    ASSERT_EQ(longest.size(), Server::kMaxLineBytes - 1);
    EXPECT_EQ(hostile.Query(longest), "4000");
}

// A client that sends a long run of queries before reading gets every answer, however much of
// it waits unsent.
TEST_F(ScpiServer, AnswersEveryPipelinedQueryBeyondTheUnsentLimit) {
    Client client(server.Port());
    std::string points = "SOUR2:DATA:ARB 1";
    for (int i = 1; i < kMaxPoints; ++i) {
        points += ",-1.234567";
    }
    client.Send(points + "\n");
    std::string queries;
    constexpr int kQueries = 100;
    for (int i = 0; i < kQueries; ++i) {
        queries += "SOUR2:DATA:ARB?\n";
    }
    client.Send(queries);
    ASSERT_GT(kQueries * points.size(), 2 * Server::kMaxUnsentBytes);
    int answered = 0;
    for (; answered < kQueries; ++answered) {
        const std::string line = client.ReadLine();
        if (line.size() < 4096 * 2) {
            ADD_FAILURE() << "answer " << answered << ": " << line.substr(0, 40);
            break;
        }
    }
    EXPECT_EQ(answered, kQueries);
    EXPECT_EQ(client.Query("SYST:ERR?"), "0,\"No error\"");
}

TEST_F(ScpiServer, RefusesClientsBeyondItsLimit) {
    EXPECT_GE(Server::kMaxClients, 64u);
    std::vector<std::unique_ptr<Client>> clients;
    for (std::size_t i = 0; i < Server::kMaxClients; ++i) {
        clients.push_back(std::make_unique<Client>(server.Port()));
        ASSERT_EQ(clients.back()->Query("SYST:ERR:COUN?"), "0");
    }
    Client extra(server.Port());
    EXPECT_EQ(extra.ReadLine(), "refused: 64 clients are connected already; try again later");
    EXPECT_EQ(extra.ReadLine(), "<closed>");
    clients.front()->Close();
    // The freed place is taken by the next client once the server has seen the close.
    std::string answer;
    for (int attempt = 0; attempt < 1000 && answer != "0"; ++attempt) {
        Client next(server.Port());
        answer = next.Query("SYST:ERR:COUN?");
    }
    EXPECT_EQ(answer, "0");
}

// Clients, workers and a GUI-like thread changing the same channels at once.
TEST(ScpiServedDevices, ClientsWorkersAndPanelTogether) {
    SimulatedDeviceLibrary simulator(2);
    ServedDevices served(simulator, {"127.0.0.1", 0});
    ASSERT_EQ(served.Start(), "");
    ASSERT_EQ(served.ChannelCount(), 2u);
    std::atomic<bool> clientsDone{false};
    std::thread panel([&] {
        for (int i = 0; !clientsDone; ++i) {
            served.Channel(0).SetOffset(i % 2 == 0 ? 0.5 : -0.5);
            served.Channel(1).RequestDownload();
            // Slower than the worker, as a hand on the panel is, so the queues do empty.
            std::this_thread::sleep_for(std::chrono::milliseconds(30));
        }
    });
    auto drive = [&](int source, std::vector<std::string>& answers) {
        Client client(served.Port());
        for (int i = 1; i <= 8; ++i) {
            const std::string header = "SOUR" + std::to_string(source);
            answers.push_back(
                client.Query(header + ":FREQ " + std::to_string(i * 1000) + ";VOLT 1;*OPC?;FREQ?"));
        }
    };
    std::vector<std::string> first;
    std::vector<std::string> second;
    std::thread one(drive, 1, std::ref(first));
    std::thread two(drive, 2, std::ref(second));
    one.join();
    two.join();
    clientsDone = true;
    panel.join();
    ASSERT_EQ(first.size(), 8u);
    for (int i = 1; i <= 8; ++i) {
        EXPECT_EQ(first[i - 1], "1;" + std::to_string(i * 1000));
        EXPECT_EQ(second[i - 1], "1;" + std::to_string(i * 1000));
    }
    // Once *OPC? has answered, the simulator holds the last frequency.
    EXPECT_EQ(simulator.Device(0).divider, ClockDivider(8000.0));
    EXPECT_EQ(simulator.Device(1).divider, ClockDivider(8000.0));
}

struct BindCase {
    const char* name;
    const char* address;
    bool loopback;
};

class ScpiServerBind : public ::testing::TestWithParam<BindCase> {};

TEST_P(ScpiServerBind, ListensOnTheAddressAndKnowsWhetherItIsLoopback) {
    ScpiBench bench;
    Server server(bench.instrument, {GetParam().address, 0});
    ASSERT_EQ(server.Start(), "");
    EXPECT_GT(server.Port(), 0);
    EXPECT_EQ(server.LoopbackOnly(), GetParam().loopback);
}

INSTANTIATE_TEST_SUITE_P(Addresses, ScpiServerBind,
                         ::testing::Values(BindCase{"Ipv4Loopback", "127.0.0.1", true},
                                           BindCase{"Localhost", "localhost", true},
                                           BindCase{"Ipv6Loopback", "::1", true},
                                           BindCase{"AnyIpv4", "0.0.0.0", false},
                                           BindCase{"AnyIpv6", "::", false}),
                         [](const ::testing::TestParamInfo<BindCase>& info) {
                             return std::string(info.param.name);
                         });

TEST(ScpiServerStart, ReportsAPortInUse) {
    ScpiBench bench;
    Server first(bench.instrument, {"127.0.0.1", 0});
    ASSERT_EQ(first.Start(), "");
    Server second(bench.instrument, {"127.0.0.1", first.Port()});
    EXPECT_NE(second.Start().find("cannot listen on 127.0.0.1:"), std::string::npos);
    EXPECT_TRUE(second.PortInUse());
    EXPECT_FALSE(first.PortInUse());
    Server bad(bench.instrument, {"example.com", 0});
    EXPECT_EQ(bad.Start(), "'example.com' is not an IPv4 or IPv6 address nor localhost");
    EXPECT_FALSE(bad.PortInUse());
    // Once the port is free again, the same server starts and no longer says it is taken.
    first.Stop();
    EXPECT_EQ(second.Start(), "");
    EXPECT_FALSE(second.PortInUse());
}

}  // namespace
}  // namespace korvane::scpi
