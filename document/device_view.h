#pragma once

#include <QWidget>

#include "document/command_map.h"

namespace korvane {

class CMultiTesselDoc;

// The form of one device window: the front panel of its channel. The shell creates it with the
// document, runs InitialUpdate once the channel is configured, calls TimerTick every 100 ms and
// routes menu commands to Commands() before the document's.
//
// The base class carries the menu-state rules of the view's commands, which depend only on the
// channel; a panel adds the actions.
class DeviceView : public QWidget {
    Q_OBJECT
  public:
    DeviceView(CMultiTesselDoc& document, QWidget* parent);

    CMultiTesselDoc& Document() const { return document_; }
    const CommandMap& Commands() const { return commands_; }

    // Fills the panel from the channel; called after the channel is configured.
    virtual void InitialUpdate() {}
    virtual void TimerTick() {}
    // Retitles the form and its open modeless dialogs in the current language.
    virtual void Translate();
    // Width of the waveform display area in pixels.
    virtual int DisplayWidth() const { return width(); }
    // Whether the control panel beside the display is shown.
    virtual bool ControlsShown() const { return true; }

  protected:
    CommandMap commands_;

  private:
    CMultiTesselDoc& document_;
};

}  // namespace korvane
