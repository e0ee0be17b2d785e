#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <vector>

#include "engine/command_queue.h"
#include "engine/device_library/device_library.h"
#include "engine/measurement_filter.h"
#include "engine/poll_coordinator.h"
#include "engine/synthesis.h"
#include "engine/wave_type.h"

namespace korvane {

// One generator channel: every output parameter, the arbitrary point table, the values read back,
// the digital I/O words, the sweep state and the worker's command queue. The device operations
// run on the channel's DeviceSession worker (or a test's thread), never on the GUI thread.
//
// The GUI thread writes fields while the channel's worker reads them, so every field is atomic;
// the command queue has its own lock. The worker copies what it synthesises (Snapshot) and never
// holds a lock across a library call.
class ChannelState {
  public:
    explicit ChannelState(DeviceLibrary& library,
                          PollCoordinator& coordinator = ProgramPollCoordinator());
    virtual ~ChannelState() = default;
    ChannelState(const ChannelState&) = delete;
    ChannelState& operator=(const ChannelState&) = delete;

    // ---- fields, in their historical order -------------------------------------------------
    MeasurementFilter measureHistory;  // touched by the worker's Poll only
    std::atomic<int> exponentUnit{1};
    std::atomic<int> demo{1};
    std::atomic<int> deviceIndex{-1};
    std::atomic<int> powerOnOutput{1};
    std::atomic<int> measureOn{1};
    std::atomic<int> measureFrequency{1};
    std::atomic<int> singleWave{0};
    std::atomic<int> extTrigger{0};
    std::atomic<int> attenuate20dB{0};
    std::atomic<double> offset{0.0};
    std::atomic<double> frequency{1000.0};
    std::atomic<float> amplitude{2.0f};
    std::atomic<int> triggerEdge{0};
    std::atomic<int> pointCount{1000};
    std::atomic<std::int16_t> waveNumber{3};
    std::atomic<int> outputOn{1};
    std::atomic<int> counterValue{0};
    std::atomic<double> measuredFrequency{0.0};
    std::atomic<int> resetCounterPending{0};
    std::atomic<std::uint16_t> digitalOut{0};
    std::atomic<std::uint16_t> digitalIn{0};
    std::atomic<int> dioMode{0};
    std::atomic<double> sweepStartFrequency{1000.0};
    std::atomic<double> sweepEndFrequency{100000.0};
    std::atomic<int> sweepSpeed{100};
    std::atomic<int> sweepOn{0};
    std::atomic<int> sweepStartDivider{0};
    std::atomic<int> sweepEndDivider{0};
    std::atomic<int> periodCount{1};
    std::atomic<float> phase{0.0f};
    std::atomic<int> reconnectPending{0};
    std::atomic<int> sweepDivider{0};
    // -1 while the divider falls (the frequency rises towards an end above the start), +1 while
    // it rises (an end below the start).
    std::atomic<int> sweepDividerStep{-1};
    // Set when a sweep stops; the worker then gives the device the whole configuration back.
    std::atomic<int> sweepRestorePending{0};
    std::atomic<int> waveType{Sine};
    std::atomic<float> squareDuty{0.5f};
    std::atomic<float> rampDuty{0.5f};
    std::atomic<int> exponentRaise{1};
    std::atomic<float> exponentTimeConstant{0.001f};
    std::atomic<float> trapeziaRise{0.2f};
    std::atomic<float> trapeziaHigh{0.4f};
    std::atomic<float> trapeziaFall{0.2f};
    std::atomic<float> amDepth{0.5f};
    std::atomic<int> carrierFrequency{10000};
    std::atomic<int> fmDeviation{3000};
    std::atomic<int> fmMode{0};
    std::atomic<float> arbSampleRate{1000.0f};
    std::atomic<int> arbPointCount{1000};
    std::array<std::atomic<float>, kMaxPoints> arbPoints{};
    std::atomic<int> arbScrollRange{250};
    std::atomic<float> arbViewPosition{0.0f};
    std::atomic<int> arbViewFirst{0};
    std::atomic<int> arbViewLast{999};
    std::atomic<int> arbZoom{0};
    std::atomic<float> arbViewScale{0.0f};

    // ---- command queue -----------------------------------------------------------------------
    void PushCommand(int code) { commands_.Push(code); }
    int PopCommand() { return commands_.Pop(); }  // 0 when the queue is empty
    // Appends Download unless the queue's head already is one and no SetFrequency queued
    // behind it still waits for a Download of its new points.
    void RequestDownload() { commands_.RequestDownload(demo == 1); }
    std::vector<int> QueuedCommands() const { return commands_.Commands(); }
    // For changes made remotely, after they queued their commands: drops every command whose code
    // already waits ahead of it with no frequency command in between, and puts a download behind
    // a frequency command that has none. The worker sends each command with the newest fields,
    // so the earlier one does the work of both. A burst of changes then leaves at most one
    // frequency command and two of each other code queued.
    void CoalesceRemoteCommands() { commands_.CoalesceRemote(); }

    // ---- setters: store the field, then queue what the device needs --------------------------
    // Frequency, offset and amplitude are limited to their ranges (see channel_rules.h).
    void SetFrequency(double value);
    void SetOffset(double value);
    void SetAmplitude(float value);  // the caller requests the download
    void SetWaveType(int value);
    void SetAttenuate20dB(int value);
    void SetOutputOn(int value);  // the caller requests the download
    void SetWaveNumber(std::int16_t value);
    void SetSingleWave(int value);
    void SetExtTrigger(int value);
    void SetTriggerEdge(int value);
    void SetDioMode(int value);
    void SetMeasureOn(int value);
    void SetMeasureFrequency(int value);
    // Returns 0 (and stores nothing) for a demo channel, else 1.
    int SetPowerOnOutput(int apply, int value);
    // Once the commands queued before it are sent, every output sharing the device's sample
    // clock restarts at the same sample, so that channels at one frequency keep the phases set.
    // Nothing for a demo channel or a device whose output has its own clock.
    void RequestSynchronize();

    // ---- device operations ---------------------------------------------------------------------
    // The full configuration: at start and after the device comes back. Queued configuration
    // commands and downloads it makes redundant are dropped; one Download is queued.
    void ConfigureDevice();
    // Builds the output buffer from a snapshot of the parameters and sends it.
    void Download();
    // One worker cycle.
    void Poll();
    // Sends the power-on output; the session's last call when it ends.
    void ApplyPowerOnOutput();

    // ---- sweep (stepped by the channel's DeviceSession)
    // ------------------------------------------
    // Takes the dividers of the start and end frequencies; an end below the start sweeps
    // downward. The divider of the end frequency itself is never sent.
    int PrepareSweep();
    // Starts stepping the divider from the start frequency's; the GUI thread or a SCPI client
    // calls it, no device call is made here.
    void StartSweep();
    // Ends the sweep; the worker's next cycle restores the whole configuration: frequency,
    // trigger, DIO mode, single wave and a fresh buffer.
    void StopSweep();
    // One divider step. A device that went missing is noticed, and gets the whole configuration
    // when it is back.
    void SweepStep();
    // The frequency the sweep generates at its current divider: 200 MHz / divider samples per
    // second over the loaded buffer of pointCount points holding periodCount periods. Safe to
    // call from any thread while the worker steps.
    double SweepFrequency() const;

    // ---- arbitrary display window ---------------------------------------------------------------
    int SetArbView(float position);   // returns arbViewFirst
    float ArbViewScale(float width);  // pixels per point of the window

    // A consistent copy of the synthesis parameters (and the point table).
    WaveParams Snapshot() const;

    DeviceLibrary& Library() const { return library_; }
    PollCoordinator& Coordinator() const { return coordinator_; }

  private:
    void ApplyFrequency();
    void UpdateArbitraryAfterFrequency(int points);
    void TakeMeasurement();
    void ExecuteCommand(int code);
    // Whether the device answers and holds its configuration. A missing device is marked; when
    // it is back it gets the whole configuration and a fresh buffer, and false is returned too
    // (that was the cycle's work).
    bool DeviceReady();
    // StopSweep's restoration, in a cycle that found the device ready.
    void RestoreAfterSweep();

    DeviceLibrary& library_;
    PollCoordinator& coordinator_;
    CommandQueue commands_;
};

}  // namespace korvane
