#include "remote/scpi_session.h"

#include "remote/scpi_error_queue.h"
#include "remote/scpi_instrument.h"

namespace korvane::scpi {

Session::Session(Instrument& instrument) : instrument_(instrument) {}

void Session::Submit(std::string line) {
    if (busy_) {
        return;
    }
    line_ = std::move(line);
    position_ = 0;
    busy_ = true;
    client_.path.clear();  // every line starts at the root
    Continue();
}

void Session::Resume() {
    if (busy_) {
        Continue();
    }
}

std::string Session::TakeOutput() {
    std::string taken;
    taken.swap(output_);
    return taken;
}

void Session::ReportInputOverrun() {
    client_.errors.Push(kInputBufferOverrun);
}

void Session::ReportOversizedBlock() {
    client_.errors.Push(kTooMuchData);
}

void Session::Continue() {
    while (position_ < line_.size()) {
        const std::size_t end = NextUnitEnd(line_, position_);
        const std::size_t length = UnitTextEnd(line_, position_) - position_;
        const ParsedUnit parsed = ParseUnit(std::string_view(line_).substr(position_, length));
        if (parsed.error != 0 || parsed.unit.nodes.empty()) {
            // A refused command changes nothing; the others on the line still run, so every
            // well-formed query is answered.
            if (parsed.error != 0) {
                client_.errors.Push(parsed.error);
            }
            position_ = end;
            continue;
        }
        Instrument::Result result = instrument_.Execute(parsed.unit, client_);
        if (result.wait) {
            return;
        }
        position_ = end;
        if (result.hasReply && result.error == 0) {
            if (replyBytes_ + result.reply.size() > kMaxReplyBytes) {
                client_.errors.Push(kOutOfMemory);
                break;
            }
            replyBytes_ += result.reply.size() + 1;
            replies_.push_back(std::move(result.reply));
        }
    }
    FinishLine();
}

void Session::FinishLine() {
    if (!replies_.empty()) {
        for (std::size_t i = 0; i < replies_.size(); ++i) {
            if (i > 0) {
                output_.push_back(';');
            }
            output_ += replies_[i];
        }
        output_.push_back('\n');
    }
    replies_.clear();
    replyBytes_ = 0;
    line_.clear();
    line_.shrink_to_fit();
    position_ = 0;
    busy_ = false;
}

}  // namespace korvane::scpi
