#include "view/multi_tessel_view.h"

#include <QColorDialog>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>
#include <QSlider>
#include <QToolButton>
#include <algorithm>

#include "document/command_ids.h"
#include "document/control_id.h"
#include "document/dialogs/dialog_support.h"
#include "document/dialogs/digital_io_dialogs.h"
#include "document/dialogs/points_edit_dialog.h"
#include "document/multi_tessel_doc.h"
#include "document/step_edit.h"
#include "engine/channel_rules.h"
#include "engine/channel_state.h"
#include "view/channel_follower.h"
#include "view/clipboard_copy.h"
#include "view/controls/led.h"
#include "view/controls/left_right.h"
#include "view/controls/on_off.h"
#include "view/controls/turn_button.h"
#include "view/entry_values.h"
#include "view/measurement_text.h"
#include "view/panel_geometry.h"
#include "view/report.h"
#include "view/spin_buttons.h"
#include "view/sweep_dialog.h"
#include "view/wave_display.h"
#include "view/wave_texts.h"

namespace korvane {

namespace {

constexpr int kSliderMaximum = 1000;
constexpr QSize kShowHideSize{10, 48};
constexpr int kPanelFillMargin = 5;
constexpr float kAmplitudeStep = 0.001f;
constexpr int kNoFileKey = 2000;
constexpr int kCursorLabelKey = 2002;
constexpr int kPointsPerPeriodKey = 2063;
constexpr int kAmplitudeLineKey = 2064;
constexpr int kClippedLabelKey = 2067;

// The frequency and amplitude fields each have one re-entry guard for the whole program: a field
// rewritten by its own handler does not run the handler again.
bool g_frequencyEntryBusy = false;
bool g_amplitudeEntryBusy = false;

class EntryGuard {
  public:
    explicit EntryGuard(bool& flag) : flag_(flag), entered_(!flag) { flag_ = true; }
    ~EntryGuard() {
        if (entered_) {
            flag_ = false;
        }
    }
    EntryGuard(const EntryGuard&) = delete;
    EntryGuard& operator=(const EntryGuard&) = delete;
    bool Entered() const { return entered_; }

  private:
    bool& flag_;
    bool entered_;
};

std::string FieldText(const QLineEdit& field) {
    return field.text().toStdString();
}

std::optional<QColor> AskForColour(QWidget* parent, const QColor& current) {
    const QColor chosen = QColorDialog::getColor(current, parent);
    return chosen.isValid() ? std::optional<QColor>(chosen) : std::nullopt;
}

}  // namespace

CMultiTesselView::CMultiTesselView(CMultiTesselDoc& document, QWidget* parent)
    : DeviceView(document, parent),
      form_(BuildPanelForm(*this)),
      panelScroll_(new QScrollArea(this)),
      display_(new WaveDisplay(this)),
      slider_(new QSlider(Qt::Horizontal, this)),
      showHide_(new QToolButton(this)) {
    panelScroll_->setFrameShape(QFrame::NoFrame);
    panelScroll_->setFocusPolicy(Qt::NoFocus);
    panelScroll_->setWidget(form_.group);
    panelScroll_->viewport()->setAutoFillBackground(false);
    SetControlId(*display_, 1003);
    SetControlId(*slider_, 1004);
    SetControlId(*showHide_, 1051);
    slider_->setRange(0, kSliderMaximum);
    slider_->setEnabled(false);
    slider_->hide();
    showHide_->setFocusPolicy(Qt::NoFocus);
    showHide_->resize(kShowHideSize);
    chooseColour_ = [this](const QColor& current) { return AskForColour(this, current); };
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    ConnectControls();
    RegisterCommands();
}

CMultiTesselView::~CMultiTesselView() = default;

ChannelState& CMultiTesselView::Channel() const {
    return *Document().m_pState;
}

bool CMultiTesselView::IsArbitrary() const {
    return Document().m_pState && Channel().waveType == Arbitrary;
}

// ---- start ---------------------------------------------------------------------------------

void CMultiTesselView::InitialUpdate() {
    display_->SetChannel(&Channel());
    auto waveType = [this] { return Channel().waveType.load(); };
    for (CStepEdit* field : {form_.frequency, form_.amplitude, form_.offset, form_.phase}) {
        field->SetWaveTypeSource(waveType);
    }
    form_.amplitude->m_fStep = kAmplitudeStep;
    FillFromChannel();
    const int type = Channel().waveType;
    SelectWaveType(type == Arbitrary ? Sine : type);
    ShowShowHideArrow();
    follower_.Start(Channel());
    initialised_ = true;
    LayoutPanel();
    Translate();
}

void CMultiTesselView::FillFromChannel() {
    ChannelState& channel = Channel();
    form_.frequency->SetValue(channel.frequency);
    form_.amplitude->SetValue(channel.amplitude);
    form_.offset->SetValue(channel.offset);
    form_.phase->SetValue(channel.phase);

    ShowKey(form_.outputOn, channel.outputOn);
    ShowKey(form_.measureOn, channel.measureOn);
    ShowKey(form_.attenuate20dB, channel.attenuate20dB);
    ShowKey(form_.extTrigger, channel.extTrigger);
    ShowKey(form_.singleWave, channel.singleWave);
    form_.triggerEdge->SetValue(channel.triggerEdge != 0);
    form_.measureMode->SetValue(channel.measureFrequency == 0);

    // The unit boxes report their change, which stores the unit and redisplays the value.
    form_.offsetUnit->setCurrentIndex(offsetUnit_);
    form_.amplitudeUnit->setCurrentIndex(amplitudeUnit_);
    form_.frequencyUnit->setCurrentIndex(frequencyUnit_);
    for (CStepEdit* field : {form_.frequency, form_.amplitude, form_.offset, form_.phase}) {
        field->ShowValue();
    }
}

void CMultiTesselView::Translate() {
    DeviceView::Translate();
    for (QDialog* dialog : {outputSet_, digitalInput_}) {
        if (dialog != nullptr) {
            RetranslateDialog(*dialog);
        }
    }
    // A language without one of these texts shows the English one, not the previous language's.
    display_->SetCursorLabel(LanguageTextOr(kCursorLabelKey, "At Point"));
    display_->SetClippedLabel(LanguageTextOr(kClippedLabelKey, "CLIPPED"));
    display_->SetLineFormats(LanguageTextOr(kAmplitudeLineKey, kAmplitudeFormat),
                             LanguageTextOr(kPointsPerPeriodKey, kPointsPerPeriodFormat));
    noFileText_ = LanguageTextOr(kNoFileKey, kNoCsvFileName);
    ShowFileName();
}

void CMultiTesselView::ShowFileName() {
    const QString& name = Document().m_strFileName;
    display_->SetFileName(name == QLatin1String(kNoCsvFileName) ? noFileText_ : name);
}

// ---- wiring --------------------------------------------------------------------------------

void CMultiTesselView::ConnectControls() {
    ConnectKeys();
    ConnectEntries();
    ConnectKnobs();
    connect(showHide_, &QToolButton::clicked, this, &CMultiTesselView::ToggleControls);
}

void CMultiTesselView::ConnectKeys() {
    for (int type = 0; type < kWaveTypeCount; ++type) {
        connect(form_.waveKeys[type], &COnOff::MouseDown, this,
                [this, type] { SelectWaveType(type); });
    }
    // Each key's new state goes to its lamp and to the channel.
    const auto wire = [this](KeyWithLamp& pair, std::function<void(ChannelState&, int)> apply) {
        connect(pair.key, &COnOff::MouseDown, this, [this, pair, apply] {
            const bool on = pair.key->Value();
            pair.lamp->SetValue(on);
            apply(Channel(), on ? 1 : 0);
        });
    };
    wire(form_.extTrigger, [](ChannelState& c, int on) { c.SetExtTrigger(on); });
    wire(form_.measureOn, [](ChannelState& c, int on) { c.SetMeasureOn(on); });
    wire(form_.attenuate20dB, [](ChannelState& c, int on) { c.SetAttenuate20dB(on); });
    wire(form_.singleWave, [](ChannelState& c, int on) { c.SetSingleWave(on); });
    wire(form_.outputOn, [](ChannelState& c, int on) {
        c.SetOutputOn(on);
        c.RequestDownload();
    });
    connect(form_.measureMode, &CLeftRight::Click, this,
            [this] { Channel().SetMeasureFrequency(form_.measureMode->Value() ? 0 : 1); });
    connect(form_.triggerEdge, &CLeftRight::Click, this,
            [this] { Channel().SetTriggerEdge(form_.triggerEdge->Value() ? 1 : 0); });
}

void CMultiTesselView::ConnectEntries() {
    connect(form_.frequency, &QLineEdit::textEdited, this, &CMultiTesselView::OnFrequencyEdited);
    connect(form_.amplitude, &QLineEdit::textEdited, this, &CMultiTesselView::OnAmplitudeEdited);
    connect(form_.offset, &QLineEdit::textEdited, this, &CMultiTesselView::OnOffsetEdited);
    connect(form_.phase, &QLineEdit::textEdited, this, &CMultiTesselView::OnPhaseEdited);
    connect(form_.offsetSpin, &SpinButtons::DeltaPos, this, &CMultiTesselView::OnOffsetSpin);
    connect(form_.phaseSpin, &SpinButtons::DeltaPos, this, &CMultiTesselView::OnPhaseSpin);

    connect(form_.frequencyUnit, &QComboBox::currentIndexChanged, this, [this](int unit) {
        frequencyUnit_ = unit;
        form_.frequency->m_nFreqUnit = unit;
        form_.frequency->ShowValue();
    });
    connect(form_.amplitudeUnit, &QComboBox::currentIndexChanged, this, [this](int unit) {
        amplitudeUnit_ = unit;
        form_.amplitude->m_nVoltUnit = unit;
        form_.amplitude->ShowValue();
    });
    connect(form_.offsetUnit, &QComboBox::currentIndexChanged, this, [this](int unit) {
        offsetUnit_ = unit;
        form_.offset->m_nVoltUnit = unit;
        form_.offset->ShowValue();
    });
}

void CMultiTesselView::ConnectKnobs() {
    for (CTurnButton* knob : {form_.frequencyKnob, form_.amplitudeKnob}) {
        connect(knob, &CTurnButton::MouseDown, this, [this, knob] { ApplyKnob(*knob, false); });
        connect(knob, &CTurnButton::MouseMove, this, [this, knob] { ApplyKnob(*knob, false); });
        connect(knob, &CTurnButton::MouseUp, this, [this, knob] { ApplyKnob(*knob, true); });
    }
}

void CMultiTesselView::RegisterCommands() {
    commands_.OnCommand(kCmdFilePrint, [this] { PrintWithDialog(*this); });
    commands_.OnCommand(kCmdFilePrintDirect, [this] { PrintDirect(*this); });
    commands_.OnCommand(kCmdFilePrintPreview, [this] { ShowPrintPreview(*this); });
    commands_.OnCommand(kCmdFilePrintSetup, [this] { ShowPrintSetup(this); });
    commands_.OnCommand(kCmdEditCopy, [this] { CopyDisplayToClipboard(*display_); });
    commands_.OnCommand(kCmdZoomIn, [this] { ZoomIn(); });
    commands_.OnCommand(kCmdZoomOut, [this] { ZoomOut(); });
    commands_.OnCommand(kCmdShowHideControl, [this] { ToggleControls(); });
    commands_.OnCommand(kCmdPointsEdit, [this] { EditPointsFromMenu(); });
    commands_.OnCommand(kCmdSweep, [this] { RunSweepDialog(Channel(), this); });
    commands_.OnCommand(kCmdOutputSet, [this] {
        ShowDigitalDialog(outputSet_, [this] { return new OutputSetDialog(Channel(), this); });
    });
    commands_.OnCommand(kCmdDigitalInput, [this] {
        ShowDigitalDialog(digitalInput_,
                          [this] { return new DigitalInputDialog(Channel(), this); });
    });
    commands_.OnCommand(kCmdBackgroundColor, [this] {
        ChooseDisplayColour(&WaveDisplay::BackgroundColor, &WaveDisplay::SetBackgroundColor);
    });
    commands_.OnCommand(kCmdXyLineColor, [this] {
        ChooseDisplayColour(&WaveDisplay::XyLineColor, &WaveDisplay::SetXyLineColor);
    });
    commands_.OnCommand(kCmdCurveColor, [this] {
        ChooseDisplayColour(&WaveDisplay::CurveColor, &WaveDisplay::SetCurveColor);
    });
    commands_.OnCommand(kCmdCursorColor, [this] {
        ChooseDisplayColour(&WaveDisplay::CursorColor, &WaveDisplay::SetCursorColor);
    });
}

// ---- entry fields ----------------------------------------------------------------------------

void CMultiTesselView::OnFrequencyEdited() {
    EntryGuard guard(g_frequencyEntryBusy);
    if (!guard.Entered()) {
        return;
    }
    const std::string text = FieldText(*form_.frequency);
    if (UnfinishedFrequency(text)) {
        return;
    }
    const TypedValue typed = TypedFrequency(text, frequencyUnit_, Channel().waveType);
    form_.frequency->SetValue(typed.value);
    if (typed.limited) {
        form_.frequency->ShowValue();
    }
    if (!knobTurning_) {
        Channel().SetFrequency(form_.frequency->GetValue());
    }
}

void CMultiTesselView::OnAmplitudeEdited() {
    EntryGuard guard(g_amplitudeEntryBusy);
    if (!guard.Entered()) {
        return;
    }
    const TypedValue typed = TypedAmplitude(FieldText(*form_.amplitude), amplitudeUnit_);
    form_.amplitude->SetValue(typed.value);
    if (typed.limited) {
        form_.amplitude->ShowValue();
    }
    if (!knobTurning_) {
        Channel().SetAmplitude(static_cast<float>(typed.value));
        Channel().RequestDownload();
    }
}

void CMultiTesselView::OnOffsetEdited() {
    const TypedValue typed = TypedOffset(FieldText(*form_.offset), offsetUnit_);
    form_.offset->SetValue(typed.value);
    if (typed.limited) {
        form_.offset->ShowValue();
    }
    Channel().SetOffset(form_.offset->GetValue());
}

void CMultiTesselView::OnPhaseEdited() {
    const TypedValue typed = TypedPhase(FieldText(*form_.phase));
    form_.phase->SetValue(typed.value);
    if (typed.limited) {
        form_.phase->ShowValue();
    }
    SetShape(Channel(), ShapeValue::Phase, form_.phase->GetValue());
}

// A spin position change of -1 steps the value up, +1 down.
void CMultiTesselView::OnOffsetSpin(int delta) {
    form_.offset->Step(-delta);
    Channel().SetOffset(form_.offset->GetValue());
}

void CMultiTesselView::OnPhaseSpin(int delta) {
    form_.phase->Step(-delta);
    SetShape(Channel(), ShapeValue::Phase, form_.phase->GetValue());
}

// ---- knobs -------------------------------------------------------------------------------------

// While a knob turns only its field follows; the device gets the value when the knob is let go.
void CMultiTesselView::ApplyKnob(CTurnButton& knob, bool released) {
    const bool frequencyKnob = &knob == form_.frequencyKnob;
    CStepEdit& field = frequencyKnob ? *form_.frequency : *form_.amplitude;
    KnobTurn& turn = frequencyKnob ? frequencyTurn_ : amplitudeTurn_;
    knobTurning_ = true;
    field.Step(turn.Turn(knob.Value()));
    if (released) {
        ChannelState& channel = Channel();
        if (frequencyKnob) {
            channel.SetFrequency(field.GetValue());
        } else {
            channel.SetAmplitude(static_cast<float>(field.GetValue()));
        }
        if (channel.waveType != Arbitrary) {
            channel.RequestDownload();
        }
    }
    knobTurning_ = false;
}

// ---- wave type
// -----------------------------------------------------------------------------------

void CMultiTesselView::SelectWaveType(int type) {
    if (type < 0 || type >= kWaveTypeCount) {
        return;
    }
    ChannelState& channel = Channel();
    const int old = channel.waveType;
    const double oldFrequency = channel.frequency;
    // A table loaded from a file is being handed over: the arbitrary wave keeps it.
    const bool keepTable = Document().m_bLoadedFromFile != 0;
    ChangeWaveType(channel, type,
                   keepTable ? ArbitraryTable::Keep : ArbitraryTable::FromCurrentWave);
    if (type != old) {
        if (old >= 0 && old < kWaveTypeCount) {
            form_.waveKeys[old]->SetValue(false);
        }
        slider_->setEnabled(type == Arbitrary);
        slider_->setVisible(type == Arbitrary);
        if (type == Arbitrary) {
            if (!keepTable) {
                Document().m_strFileName = QString::fromLatin1(kNoCsvFileName);
            }
            form_.phase->SetValue(0.0);
            form_.phase->ShowValue();
        }
        LayoutPanel();
    }
    form_.waveKeys[type]->SetValue(true);
    if (channel.frequency != oldFrequency) {
        ShowFrequency();  // limited to the new type's maximum
    }
    if (type != Arbitrary) {
        Document().m_strFileName = QString::fromLatin1(kNoCsvFileName);
    }
}

void CMultiTesselView::ShowFrequency() {
    form_.frequency->SetValue(Channel().frequency);
    form_.frequency->ShowValue();
}

// ---- timer and readout
// ---------------------------------------------------------------------------

void CMultiTesselView::TimerTick() {
    if (!Document().m_pState) {
        return;
    }
    if (follower_.Follow(form_, Channel())) {
        slider_->setEnabled(IsArbitrary());
        LayoutPanel();
    }
    if (IsArbitrary()) {
        Channel().SetArbView(float(slider_->value()) / float(slider_->maximum()));
    }
    ShowFileName();
    display_->Refresh();
    UpdateMeasurementText();
}

void CMultiTesselView::UpdateMeasurementText() {
    const ChannelState& channel = Channel();
    const QString text = QString::fromStdString(
        MeasurementText(channel.measureFrequency, channel.counterValue, channel.measuredFrequency));
    if (text != form_.readout->text()) {
        form_.readout->setText(text);
    }
}

// ---- zoom, colours, panel
// ------------------------------------------------------------------------

void CMultiTesselView::ZoomIn() {
    if (!IsArbitrary()) {
        return;
    }
    ChannelState& channel = Channel();
    channel.SetArbView(float(slider_->value()) / float(slider_->maximum()));
    if (channel.arbViewLast - channel.arbViewFirst + 1 >= 201) {
        channel.arbZoom = channel.arbZoom + 1;
    }
}

void CMultiTesselView::ZoomOut() {
    if (!IsArbitrary()) {
        return;
    }
    ChannelState& channel = Channel();
    if (channel.arbZoom > 0) {
        channel.arbZoom = channel.arbZoom - 1;
    }
}

void CMultiTesselView::ChooseDisplayColour(QColor (WaveDisplay::*get)() const,
                                           void (WaveDisplay::*set)(const QColor&)) {
    if (std::optional<QColor> colour = chooseColour_((display_->*get)())) {
        (display_->*set)(*colour);
        display_->Refresh();
    }
}

void CMultiTesselView::ToggleControls() {
    controlsShown_ = !controlsShown_;
    LayoutPanel();
    ShowShowHideArrow();
}

// The arrow points where the panel goes when the button is pressed.
void CMultiTesselView::ShowShowHideArrow() {
    showHide_->setArrowType(controlsShown_ ? Qt::RightArrow : Qt::LeftArrow);
}

void CMultiTesselView::LayoutPanel() {
    const PanelGeometry geometry =
        ArrangePanel(size(), form_.group->size(), controlsShown_, IsArbitrary(), showHide_->size(),
                     panelScroll_->verticalScrollBar()->sizeHint().width());
    panelRect_ = geometry.panel;
    panelScroll_->setGeometry(geometry.panel);
    panelScroll_->setVisible(controlsShown_);
    display_->setGeometry(geometry.display);
    slider_->setGeometry(geometry.slider);
    slider_->setVisible(IsArbitrary());
    showHide_->setGeometry(geometry.showHide);
    update();
}

namespace {
constexpr int kPanelMargins = 15;
}  // namespace

QSize CMultiTesselView::sizeHint() const {
    constexpr int kComfortableDisplayWidth = 420;
    return {kComfortableDisplayWidth + kPanelMargins + PanelForm::kWidth, PanelForm::kHeight};
}

QSize CMultiTesselView::minimumSizeHint() const {
    constexpr QSize kSmallDisplay{200, 240};
    return {kSmallDisplay.width() + kPanelMargins + PanelForm::kWidth, kSmallDisplay.height()};
}

int CMultiTesselView::DisplayWidth() const {
    return display_->width();
}

void CMultiTesselView::resizeEvent(QResizeEvent* event) {
    DeviceView::resizeEvent(event);
    if (initialised_ && width() != 0) {
        LayoutPanel();
    }
}

void CMultiTesselView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    const int left = panelRect_.left() - (showHide_->width() + 2);
    const int right = panelRect_.left() + panelRect_.width() + kPanelFillMargin;
    painter.fillRect(QRect(left, 0, right - left, height()), palette().button());
}

// ---- drawing points with the mouse
// ---------------------------------------------------------------

PlotArea CMultiTesselView::Plot() const {
    return PlotArea::FromRect(display_->PlotRect().translated(display_->pos()));
}

void CMultiTesselView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !IsArbitrary()) {
        return;
    }
    const PlotArea plot = Plot();
    ChannelState& channel = Channel();
    // The scale the display last drew with; kept fresh in case the display changed size since.
    channel.ArbViewScale(float(plot.right - plot.left));
    if (std::optional<int> index = stroke_.Press(channel, plot, event->position().toPoint())) {
        display_->SetCursorIndex(*index);
        grabMouse();
    }
}

void CMultiTesselView::mouseMoveEvent(QMouseEvent* event) {
    if (!IsArbitrary()) {
        return;
    }
    const PointStroke::Cursor cursor = stroke_.Move(Channel(), Plot(), event->position().toPoint());
    display_->SetCursorX(cursor.x);
    if (cursor.index) {
        display_->SetCursorIndex(*cursor.index);
        display_->Refresh();
    }
}

void CMultiTesselView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        return;
    }
    if (QWidget::mouseGrabber() == this) {
        releaseMouse();
    }
    if (IsArbitrary()) {
        stroke_.Release(Channel());
    }
}

void CMultiTesselView::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !IsArbitrary()) {
        return;
    }
    const PlotArea plot = Plot();
    const QPoint at = event->position().toPoint();
    if (plot.Contains(at)) {
        EditPoints(PointAt(Channel(), plot, at.x()));
    }
    Channel().RequestDownload();
}

// ---- dialogs ---------------------------------------------------------------------------------

void CMultiTesselView::EditPoints(int start) {
    PointsEditDialog dialog(
        Document(), start,
        [this](int index, int column) {
            display_->SetCursorIndex(index);
            display_->SetCursorX(column);
            display_->Refresh();
        },
        this);
    dialog.exec();
}

// Starts at the first point of the window the mouse maps to.
void CMultiTesselView::EditPointsFromMenu() {
    ChannelState& channel = Channel();
    const int count = channel.arbPointCount;
    if (!IsArbitrary() || count < 1) {
        return;
    }
    const int start = std::clamp(
        static_cast<int>((count - channel.arbScrollRange) * double(channel.arbViewPosition)), 0,
        count - 1);
    display_->SetCursorX(Document().PointToColumn(start));
    EditPoints(start);
    channel.RequestDownload();
}

void CMultiTesselView::ShowDigitalDialog(QDialog*& dialog, const std::function<QDialog*()>& make) {
    if (dialog == nullptr) {
        dialog = make();
    }
    dialog->show();
    dialog->move(mapToGlobal(rect().center()) - dialog->rect().center());
    dialog->raise();
}

}  // namespace korvane
