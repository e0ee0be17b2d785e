#pragma once

#include <QColor>
#include <functional>
#include <optional>

#include "document/device_view.h"
#include "document/multi_tessel_doc.h"
#include "engine/point_table.h"
#include "view/channel_follower.h"
#include "view/knob_turn.h"
#include "view/panel_form.h"
#include "view/point_drawing.h"

class QDialog;
class QScrollArea;
class QSlider;
class QToolButton;

namespace korvane {

class ChannelState;
class WaveCursors;
class SpectrumView;
class WaveDisplay;

// The front panel of one generator: the waveform display on the left, the control panel on the
// right. Every panel action becomes a change of the document's channel through its setters,
// which queue what the device needs; for the arbitrary type the display can be drawn on.
// Its members are defined by job: multi_tessel_view.cpp (building and filling the panel),
// multi_tessel_view_keys.cpp (keys, switches, wave type), _entries.cpp (typed fields), _knobs.cpp,
// _points.cpp (arbitrary editing), _commands.cpp (menu commands), _refresh.cpp (the timer) and
// _layout.cpp.
class CMultiTesselView : public DeviceView {
    Q_OBJECT
  public:
    // Asks the user for a colour starting at the current one; empty when cancelled.
    using ColourChooser = std::function<std::optional<QColor>(const QColor& current)>;

    CMultiTesselView(CMultiTesselDoc& document, QWidget* parent);
    ~CMultiTesselView() override;

    // Fills the panel from the channel, which the document must hold by now.
    void InitialUpdate() override;
    // The 100 ms tick: the panel follows changes made to the channel elsewhere, the arbitrary
    // window follows the slider, the display and the readout are refreshed.
    void TimerTick() override;
    void Translate() override;
    int DisplayWidth() const override;
    bool ControlsShown() const override { return controlsShown_; }
    // The whole panel beside a display of a comfortable width.
    QSize sizeHint() const override;
    // The panel's width beside a small display, low enough that the panel scrolls.
    QSize minimumSizeHint() const override;

    // Switches the panel to a wave type as its wave keys do.
    void SelectWaveType(int type);
    // Shows the channel's frequency in the frequency field.
    void ShowFrequency();
    void UpdateMeasurementText();
    void LayoutPanel();
    void ToggleControls();
    void ZoomIn();
    void ZoomOut();

    void SetColourChooser(ColourChooser chooser) { chooseColour_ = std::move(chooser); }

    // ---- parts, for the program's tests ----------------------------------------------------
    const PanelForm& Form() const { return form_; }
    WaveDisplay& Display() const { return *display_; }
    WaveCursors& Cursors() const { return *cursors_; }
    QSlider& Slider() const { return *slider_; }
    QToolButton& ShowHideButton() const { return *showHide_; }
    // Carries the panel; it scrolls when the form is smaller than the panel.
    QScrollArea& PanelScroll() const { return *panelScroll_; }
    // The display's plot in form coordinates.
    PlotArea Plot() const;
    bool Dragging() const { return stroke_.Dragging(); }
    // The spectrum window, once Display > Spectrum has opened it.
    SpectrumView* Spectrum() const { return spectrum_; }

  protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

  private:
    ChannelState& Channel() const;
    bool IsArbitrary() const;
    void ConnectControls();
    void ConnectKeys();
    void ConnectEntries();
    void ConnectKnobs();
    void RegisterCommands();
    void FillFromChannel();
    // Shows what changed in the channel elsewhere (remote control) on the panel.
    void FollowChannel();

    void OnFrequencyEdited();
    void OnAmplitudeEdited();
    void OnOffsetEdited();
    void OnPhaseEdited();
    void OnOffsetSpin(int delta);
    void OnPhaseSpin(int delta);
    void ApplyKnob(CTurnButton& knob, bool released);
    void ChooseDisplayColour(QColor (WaveDisplay::*get)() const,
                             void (WaveDisplay::*set)(const QColor&));
    void ShowShowHideArrow();
    // The document's file name on the display; a waveform without a file shows the language's
    // text for it, while the document keeps its marker value, which Save relies on.
    void ShowFileName();
    // The Points Edit dialog on point `start`; the edited table is downloaded when it closes.
    void EditPoints(int start);
    void EditPointsFromMenu();
    // Undo, redo and the tools on the arbitrary point table (multi_tessel_view_tools.cpp).
    void RegisterPointCommands();
    // Replaces the table by what `tool` makes of it, as one undo step.
    void RunPointTool(const std::function<PointTable(const PointTable&)>& tool);
    // Asks for a tool's number in a small dialog; nullopt when cancelled.
    std::optional<double> AskToolValue(int titleKey, const char* title, int labelKey,
                                       const char* label, double value, double low, double high,
                                       int decimals);
    // Shows a modeless digital I/O dialog, made on first use.
    void ShowDigitalDialog(QDialog*& dialog, const std::function<QDialog*()>& make);
    // Shows the spectrum window, made on first use, with the channel's wave.
    void ShowSpectrum();

    PanelForm form_;
    QScrollArea* panelScroll_;
    WaveDisplay* display_;
    WaveCursors* cursors_;
    QSlider* slider_;
    QToolButton* showHide_;
    QRect panelRect_;
    QDialog* outputSet_ = nullptr;
    QDialog* digitalInput_ = nullptr;
    SpectrumView* spectrum_ = nullptr;
    KnobTurn frequencyTurn_;
    KnobTurn amplitudeTurn_;
    PointStroke stroke_;
    PointTable strokeBefore_;  // the table as the current stroke found it
    ChannelFollower follower_;
    ColourChooser chooseColour_;
    QString noFileText_ = QString::fromLatin1(kNoCsvFileName);
    bool initialised_ = false;
    bool knobTurning_ = false;
    bool controlsShown_ = true;
    int offsetUnit_ = 1;
    int amplitudeUnit_ = 1;
    int frequencyUnit_ = 0;
};

}  // namespace korvane
