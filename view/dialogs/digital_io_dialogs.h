#pragma once

#include <QDialog>
#include <QTimer>
#include <array>
#include <cstdint>

namespace korvane {

class ChannelState;
class PinButton;

// The modeless Output Set dialog: one key per output pin O0..OB. While the dialog exists its keys
// own the channel's output word, which it writes every 300 ms, also while hidden; OK only hides
// it. The channel's worker sends the word to the device. A word written elsewhere since the last
// period (by remote control) is not overwritten: the keys take it over.
class OutputSetDialog : public QDialog {
    Q_OBJECT
  public:
    static constexpr int kPinCount = 12;

    explicit OutputSetDialog(ChannelState& channel, QWidget* parent = nullptr);

    PinButton& Pin(int k) const { return *pins_[static_cast<std::size_t>(k)]; }
    // One timer period: the keys become the output word, or show the word written elsewhere.
    void WriteOutputWord();
    const QTimer& Timer() const { return timer_; }

  private:
    void ShowWord(unsigned word);

    ChannelState& channel_;
    std::array<PinButton*, kPinCount> pins_{};
    std::uint16_t written_ = 0;  // the word as this dialog last wrote or showed it
    QTimer timer_;
};

// The modeless Digital Input dialog: the input pins I0..I3 from the channel's input word,
// refreshed every 300 ms when the word changed. OK only hides it.
class DigitalInputDialog : public QDialog {
    Q_OBJECT
  public:
    static constexpr int kBitCount = 6;  // bits 0 and 1 have hidden indicators

    explicit DigitalInputDialog(ChannelState& channel, QWidget* parent = nullptr);

    PinButton& Indicator(int bit) const { return *indicators_[static_cast<std::size_t>(bit)]; }
    // One timer period: the indicators follow the input word when it changed.
    void ReadInputWord();
    const QTimer& Timer() const { return timer_; }

  private:
    void ShowBits(unsigned bits);

    ChannelState& channel_;
    std::array<PinButton*, kBitCount> indicators_{};
    unsigned shownBits_ = 4095;  // no word shows this, so the first period always refreshes
    QTimer timer_;
};

}  // namespace korvane
