// What one client may hold of the server: an idle connection is dropped after the idle timeout,
// and a block longer than a line may be is refused as soon as its header arrives.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "remote/scpi_server.h"
#include "scpi_fixture.h"
#include "scpi_test_client.h"

namespace korvane::scpi {
namespace {

using testing::Client;
using testing::ScpiBench;

const std::string kIdleLine = "closed: the connection was idle for 1 s; connect again to go on";

class ScpiIdleServer : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_EQ(server.Start(), ""); }

    ScpiBench bench;
    Server server{bench.instrument, {"127.0.0.1", 0, std::chrono::seconds(1)}};
};

TEST_F(ScpiIdleServer, AnIdleClientIsToldWhyThenDisconnected) {
    Client client(server.Port());
    EXPECT_EQ(client.Query("SYST:ERR:COUN?"), "0");
    // The read waits until the server drops the client; nothing here depends on how soon.
    EXPECT_EQ(client.ReadLine(), kIdleLine);
    EXPECT_EQ(client.ReadLine(), "<closed>");
}

TEST_F(ScpiIdleServer, IdleClientsCannotKeepEveryoneOut) {
    std::vector<std::unique_ptr<Client>> idle;
    for (std::size_t i = 0; i < Server::kMaxClients; ++i) {
        idle.push_back(std::make_unique<Client>(server.Port()));
        ASSERT_EQ(idle.back()->Query("SYST:ERR:COUN?"), "0");
    }
    for (const auto& client : idle) {
        EXPECT_EQ(client->ReadLine(), kIdleLine);
        EXPECT_EQ(client->ReadLine(), "<closed>");
    }
    // Every idle connection is closed by now, so a new client has a place.
    Client next(server.Port());
    EXPECT_EQ(next.Query("*IDN?"), "Korvane,KorvaneAWG,0,9.9.9");
}

TEST_F(ScpiIdleServer, ALineWaitingForTheDeviceIsNotIdle) {
    Client waiting(server.Port());
    // Nothing polls the device yet, so the line waits at *OPC?.
    waiting.Send("FREQ 2000;*OPC?\n");
    // A client connected later is dropped first; had the waiting one counted as idle, it would
    // have been dropped before.
    Client later(server.Port());
    EXPECT_EQ(later.ReadLine(), kIdleLine);
    bench.DrainDevice();
    EXPECT_EQ(waiting.ReadLine(), "1");
    EXPECT_EQ(waiting.Query("FREQ?"), "2000");
}

TEST(ScpiIdleTimeout, ZeroKeepsIdleClients) {
    ScpiBench bench;
    Server server{bench.instrument, {"127.0.0.1", 0, std::chrono::seconds(0)}};
    ASSERT_EQ(server.Start(), "");
    Server timed{bench.instrument, {"127.0.0.1", 0, std::chrono::seconds(1)}};
    ASSERT_EQ(timed.Start(), "");
    Client kept(server.Port());
    Client dropped(timed.Port());
    EXPECT_EQ(kept.Query("SYST:ERR:COUN?"), "0");
    EXPECT_EQ(dropped.Query("SYST:ERR:COUN?"), "0");
    // The client of the server with a timeout is dropped; the other one, connected before it,
    // still answers.
    EXPECT_EQ(dropped.ReadLine(), kIdleLine);
    EXPECT_EQ(kept.Query("SYST:ERR:COUN?"), "0");
}

class ScpiOversizedBlock : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_EQ(server.Start(), ""); }

    ScpiBench bench;
    Server server{bench.instrument, {"127.0.0.1", 0}};
};

// The block is refused on its header (BlockEndBeyond's own tests show the header is enough); its
// bytes, newlines and all, are then dropped as data, never run as commands.
TEST_F(ScpiOversizedBlock, IsRefusedAndItsBytesNeverRunAsCommands) {
    Client client(server.Port());
    const std::size_t length = 4 * Server::kMaxLineBytes;
    std::string bytes(length, '\n');
    for (std::size_t i = 0; i + 6 <= bytes.size(); i += 7) {
        bytes.replace(i, 6, "FREQ 5");
    }
    client.Send("SOUR2:FREQ 3000\nSOUR2:DATA:ARB #6" + std::to_string(length));
    client.Send(bytes + "\n");
    EXPECT_EQ(client.Query("SYST:ERR?;:SYST:ERR?"), "-223,\"Too much data\";0,\"No error\"");
    EXPECT_EQ(client.Query("SOUR2:FREQ?;:FREQ?"), "3000;1000");
    EXPECT_EQ(bench.device.frequency, 1000.0);
}

TEST_F(ScpiOversizedBlock, TheRestOfItsLineIsDroppedToo) {
    Client client(server.Port());
    const std::size_t length = Server::kMaxLineBytes;
    client.Send("SOUR2:DATA:ARB #5" + std::to_string(length) + std::string(length, 'x') +
                ";SOUR2:FREQ 5000\nSOUR2:FREQ?\n");
    EXPECT_EQ(client.ReadLine(), "1000");
    EXPECT_EQ(client.Query("SYST:ERR?"), "-223,\"Too much data\"");
}

TEST_F(ScpiOversizedBlock, ABlockThatFitsIsStillTaken) {
    Client client(server.Port());
    // The largest table, four bytes a point.
    const std::string zeros(4 * static_cast<std::size_t>(kMaxPoints), '\0');
    client.Send("SOUR2:DATA:ARB #5" + std::to_string(zeros.size()) + zeros + "\n");
    EXPECT_EQ(client.Query("SYST:ERR?"), "0,\"No error\"");
    EXPECT_EQ(bench.demo.arbPointCount, kMaxPoints);
}

}  // namespace
}  // namespace korvane::scpi
