#pragma once

#include <QDialog>
#include <QTimer>

class QLineEdit;
class QPushButton;

namespace korvane {

class ChannelState;
class CLED;
class CTurnButton;

// The knob rule of the Sweep dialog: the angle turned since the last event, undoing the jump
// when the knob passes its zero; `last` becomes `angle`.
double TurnSinceLast(double angle, double& last);

// Texts typed into the Sweep dialog, limited as they are read: frequencies 1 Hz .. 1 MHz or the
// channel's device's highest frequency if lower, speed 1 .. 3,600,000 ms.
double LimitSweepFrequency(const ChannelState& channel, double hz);
double LimitSweepSpeed(double ms);

// The Sweep dialog: starts and stops the channel's sweep, which its device session runs (the
// sample-clock divider steps from the start towards the end frequency, upward or downward, one
// step every `sweepSpeed` ms, while the buffer loaded last stays in place). While the dialog is
// open every other channel's worker is paused. Closing it switches a running sweep off (the session
// then restores the channel's configuration) and resumes the workers. The dialog makes no device
// call.
class SweepDialog : public QDialog {
    Q_OBJECT
  public:
    explicit SweepDialog(ChannelState& channel, QWidget* parent = nullptr);
    ~SweepDialog() override;

    void done(int result) override;

    // One step period: the hidden field shows the point count, the readout beside ON the
    // frequency the sweep generates now (empty while it is off).
    void TimerTick();

    QLineEdit& StartField() const { return *start_; }
    QLineEdit& EndField() const { return *end_; }
    QLineEdit& SpeedField() const { return *speed_; }
    CTurnButton& StartKnob() const { return *startKnob_; }
    CTurnButton& EndKnob() const { return *endKnob_; }
    CTurnButton& SpeedKnob() const { return *speedKnob_; }
    QPushButton& OnButton() const { return *on_; }
    CLED& Lamp() const { return *lamp_; }
    QLineEdit& GeneratedFrequency() const { return *generated_; }
    const QTimer& StepTimer() const { return timer_; }

  private:
    void OnFrequencyTyped(QLineEdit& field);
    void OnSpeedTyped();
    void OnStartKnob();
    void OnEndKnob();
    void OnSpeedKnob();
    void OnOnPressed();
    void ApplySweepState(bool on);
    void ShowGeneratedFrequency();
    // Ends the session once: a running sweep is switched off and the workers resume.
    void Finish();

    ChannelState& channel_;
    QLineEdit* start_;
    QLineEdit* end_;
    QLineEdit* speed_;
    QLineEdit* points_;
    CTurnButton* startKnob_;
    CTurnButton* endKnob_;
    CTurnButton* speedKnob_;
    CLED* lamp_;
    QPushButton* on_;
    QLineEdit* generated_;
    QTimer timer_;
    double startLast_ = 0.0;
    double endLast_ = 0.0;
    double speedLast_ = 0.0;
    bool finished_ = false;
};

// Runs the Sweep dialog for a channel.
void RunSweepDialog(ChannelState& channel, QWidget* parent);

}  // namespace korvane
