#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "remote/scpi_client.h"

namespace korvane::scpi {

class Instrument;

// One client's conversation: it runs the client's lines one at a time, keeps its error queue and
// header path, and collects the answers. A line whose command must wait (*OPC?, *WAI, or a
// channel whose queue is full) stays busy until Resume finds the channels ready.
class Session {
  public:
    // Everything one line may answer; a longer answer is refused with "Out of memory".
    static constexpr std::size_t kMaxReplyBytes = 1024 * 1024;

    explicit Session(Instrument& instrument);

    // Starts a line (without its '\n'; a '\r' before it is taken as a blank); only while not Busy.
    void Submit(std::string line);
    // Goes on with a waiting line when its commands can run.
    void Resume();
    bool Busy() const { return busy_; }
    // The answers of finished lines, each answer line ending in '\n'.
    std::string TakeOutput();
    // The client sent a line longer than the server takes; it was dropped.
    void ReportInputOverrun();
    // The client began a block longer than the server takes; it is being dropped.
    void ReportOversizedBlock();

    const ClientState& State() const { return client_; }

  private:
    void Continue();
    void FinishLine();

    Instrument& instrument_;
    ClientState client_;
    std::string line_;
    std::size_t position_ = 0;
    bool busy_ = false;
    std::vector<std::string> replies_;
    std::size_t replyBytes_ = 0;
    std::string output_;
};

}  // namespace korvane::scpi
