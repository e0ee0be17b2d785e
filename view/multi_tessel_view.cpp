#include "view/multi_tessel_view.h"

#include <QColorDialog>
#include <QComboBox>
#include <QGroupBox>
#include <QScrollArea>
#include <QSlider>
#include <QToolButton>

#include "document/control_id.h"
#include "document/multi_tessel_doc.h"
#include "engine/channel_state.h"
#include "view/controls/led.h"
#include "view/controls/left_right.h"
#include "view/controls/on_off.h"
#include "view/dialogs/dialog_support.h"
#include "view/entry/step_edit.h"
#include "view/harmonics_view.h"
#include "view/wave_cursors.h"
#include "view/wave_display.h"
#include "view/wave_texts.h"

namespace korvane {

namespace {

constexpr int kSliderMaximum = 1000;
constexpr QSize kShowHideSize{10, 48};
constexpr float kAmplitudeStep = 0.001f;
constexpr int kNoFileKey = 2000;
constexpr int kCursorLabelKey = 2002;
constexpr int kPointsPerPeriodKey = 2063;
constexpr int kAmplitudeLineKey = 2064;
constexpr int kClippedLabelKey = 2067;

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
      cursors_(new WaveCursors(*display_)),
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
    // An arbitrary panel opens on its points only when the settings brought them back.
    const int type = Channel().waveType;
    SelectWaveType(type == Arbitrary && !Document().PointsRestored() ? Sine : type);
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
    if (spectrum_ != nullptr) {
        spectrum_->Translate();
    }
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

}  // namespace korvane
