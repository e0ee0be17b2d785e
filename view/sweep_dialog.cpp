#include "view/sweep_dialog.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "engine/channel_rules.h"
#include "engine/channel_state.h"
#include "formats/str_convert.h"
#include "view/controls/led.h"
#include "view/controls/turn_button.h"
#include "view/dialogs/dialog_support.h"
#include "view/measurement_text.h"

namespace korvane {

namespace {

constexpr double kHalfTurn = 3.14;
constexpr double kFullTurn = 6.28;
constexpr double kUnitsPerRadian = 159.2356687898089;  // 1000 per turn
constexpr int kMinKnobSpeed = 10;

double ReadNumber(const QLineEdit& field) {
    return CStrConvert::TextAsDouble(field.text().toLatin1().toStdString());
}

QString WholeText(double value) {
    return QString::asprintf("%.0f", value);
}

// Rewrites a field only when its text changes, so typing keeps the cursor where it is.
void ShowText(QLineEdit& field, const QString& text) {
    if (field.text() != text) {
        field.setText(text);
    }
}

}  // namespace

double TurnSinceLast(double angle, double& last) {
    if (angle > last && angle - last >= kHalfTurn) {
        last += kFullTurn;
    } else if (angle < last && last - angle >= kHalfTurn) {
        last -= kFullTurn;
    }
    const double turned = angle - last;
    last = angle;
    return turned;
}

double LimitSweepFrequency(const ChannelState& channel, double hz) {
    return Limit(hz, SweepFrequencyRange(channel));
}

double LimitSweepSpeed(double ms) {
    return Limit(ms, kSweepSpeedRange);
}

SweepDialog::SweepDialog(ChannelState& channel, QWidget* parent)
    : QDialog(parent),
      channel_(channel),
      start_(WithControlId(new QLineEdit(this), 1082)),
      end_(WithControlId(new QLineEdit(this), 1083)),
      speed_(WithControlId(new QLineEdit(this), 1077)),
      points_(WithControlId(new QLineEdit(this), 1053)),
      startKnob_(WithControlId(new CTurnButton(this), 1086)),
      endKnob_(WithControlId(new CTurnButton(this), 1076)),
      speedKnob_(WithControlId(new CTurnButton(this), 1078)),
      lamp_(WithControlId(new CLED(this), 1074)),
      on_(WithControlId(new QPushButton(QStringLiteral("ON"), this), 1087)),
      generated_(new QLineEdit(this)) {
    setWindowTitle(QStringLiteral("Sweep"));
    points_->hide();
    auto* layout = new QGridLayout(this);
    const struct {
        const char* title;
        int id;
        QLineEdit* field;
        CTurnButton* knob;
    } groups[] = {{"Start Frequency", 1129, start_, startKnob_},
                  {"End Frequency", 1130, end_, endKnob_},
                  {"Speed", 1088, speed_, speedKnob_}};
    int column = 0;
    for (const auto& group : groups) {
        auto* box = WithControlId(new QGroupBox(QString::fromLatin1(group.title), this), group.id);
        auto* inside = new QVBoxLayout(box);
        group.field->setParent(box);
        group.knob->setParent(box);
        group.knob->setFixedSize(group.knob->sizeHint());
        inside->addWidget(group.field);
        inside->addWidget(group.knob, 0, Qt::AlignHCenter);
        layout->addWidget(box, 0, column++);
    }
    auto* onBox = new QVBoxLayout;
    lamp_->setFixedSize(lamp_->sizeHint());
    onBox->addStretch();
    onBox->addWidget(lamp_, 0, Qt::AlignHCenter);
    onBox->addWidget(on_);
    generated_->setReadOnly(true);
    generated_->setFocusPolicy(Qt::NoFocus);
    generated_->setAlignment(Qt::AlignRight);
    generated_->setMinimumWidth(
        generated_->fontMetrics().horizontalAdvance(QStringLiteral("0000.00 KHz")) + 12);
    onBox->addWidget(generated_);
    onBox->addStretch();
    layout->addLayout(onBox, 0, column);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    on_->setAutoDefault(false);

    // The other channels' workers stay paused while the dialog is open.
    channel_.Coordinator().SetPaused(true);

    InitialiseDialog(*this, 139);
    start_->setText(WholeText(channel_.sweepStartFrequency));
    end_->setText(WholeText(channel_.sweepEndFrequency));
    speed_->setText(QString::number(channel_.sweepSpeed.load()));
    ApplySweepState(channel_.sweepOn == 1);

    connect(start_, &QLineEdit::textEdited, this, [this] { OnFrequencyTyped(*start_); });
    connect(end_, &QLineEdit::textEdited, this, [this] { OnFrequencyTyped(*end_); });
    connect(speed_, &QLineEdit::textEdited, this, &SweepDialog::OnSpeedTyped);
    const struct {
        CTurnButton* knob;
        void (SweepDialog::*handler)();
    } knobs[] = {{startKnob_, &SweepDialog::OnStartKnob},
                 {endKnob_, &SweepDialog::OnEndKnob},
                 {speedKnob_, &SweepDialog::OnSpeedKnob}};
    for (const auto& entry : knobs) {
        for (auto signal :
             {&CTurnButton::MouseDown, &CTurnButton::MouseMove, &CTurnButton::MouseUp}) {
            connect(entry.knob, signal, this, entry.handler);
        }
    }
    connect(on_, &QPushButton::clicked, this, &SweepDialog::OnOnPressed);
    connect(&timer_, &QTimer::timeout, this, &SweepDialog::TimerTick);
}

SweepDialog::~SweepDialog() {
    Finish();
}

void SweepDialog::done(int result) {
    Finish();
    QDialog::done(result);
}

void SweepDialog::Finish() {
    if (finished_) {
        return;
    }
    finished_ = true;
    // A sweep left running would keep the channel off its normal clock with nobody to stop it.
    if (channel_.sweepOn == 1) {
        channel_.StopSweep();
        ApplySweepState(false);
    }
    channel_.Coordinator().SetPaused(false);
}

void SweepDialog::OnFrequencyTyped(QLineEdit& field) {
    ShowText(field, WholeText(LimitSweepFrequency(channel_, ReadNumber(field))));
}

void SweepDialog::OnSpeedTyped() {
    ShowText(*speed_, WholeText(LimitSweepSpeed(ReadNumber(*speed_))));
}

void SweepDialog::OnStartKnob() {
    if (channel_.sweepOn == 1) {
        return;
    }
    const double turned = TurnSinceLast(startKnob_->Value(), startLast_);
    // Not below 1 Hz: the divider of 0 Hz is beyond every clock.
    const double start = LimitSweepFrequency(
        channel_, channel_.sweepStartFrequency + std::trunc(turned * kUnitsPerRadian));
    channel_.sweepStartFrequency = start;
    start_->setText(WholeText(start));
}

void SweepDialog::OnEndKnob() {
    if (channel_.sweepOn == 1) {
        return;
    }
    const double turned = TurnSinceLast(endKnob_->Value(), endLast_);
    const double end =
        LimitSweepFrequency(channel_, channel_.sweepEndFrequency + turned * kUnitsPerRadian);
    channel_.sweepEndFrequency = end;
    end_->setText(WholeText(end));
}

void SweepDialog::OnSpeedKnob() {
    if (channel_.sweepOn == 1) {
        return;
    }
    const double turned = TurnSinceLast(speedKnob_->Value(), speedLast_);
    const int speed = std::clamp(channel_.sweepSpeed + static_cast<int>(turned * kUnitsPerRadian),
                                 kMinKnobSpeed, static_cast<int>(kSweepSpeedRange.high));
    channel_.sweepSpeed = speed;
    speed_->setText(QString::number(speed));
}

void SweepDialog::OnOnPressed() {
    const double start = LimitSweepFrequency(channel_, ReadNumber(*start_));
    // An end below the start sweeps downward.
    const double end = LimitSweepFrequency(channel_, ReadNumber(*end_));
    start_->setText(WholeText(start));
    end_->setText(WholeText(end));
    channel_.sweepStartFrequency = start;
    channel_.sweepEndFrequency = end;
    channel_.sweepSpeed = static_cast<int>(LimitSweepSpeed(ReadNumber(*speed_)));
    if (channel_.sweepOn == 1) {
        channel_.StopSweep();
    } else {
        channel_.StartSweep();
    }
    ApplySweepState(channel_.sweepOn == 1);
}

void SweepDialog::ApplySweepState(bool on) {
    on_->setText(on ? LanguageTextOr(2027, "OFF") : LanguageTextOr(2026, "ON"));
    for (QLineEdit* field : {start_, end_, speed_}) {
        field->setEnabled(!on);
    }
    if (on) {
        timer_.start(std::max(1, channel_.sweepSpeed.load()));
    } else {
        timer_.stop();
    }
    lamp_->SetValue(on);
    ShowGeneratedFrequency();
}

void SweepDialog::TimerTick() {
    points_->setText(QString::number(channel_.pointCount.load()));
    ShowGeneratedFrequency();
}

void SweepDialog::ShowGeneratedFrequency() {
    ShowText(*generated_,
             channel_.sweepOn == 1
                 ? QString::fromStdString(FrequencyReadoutText(channel_.SweepFrequency()))
                 : QString());
}

void RunSweepDialog(ChannelState& channel, QWidget* parent) {
    SweepDialog dialog(channel, parent);
    dialog.exec();
}

}  // namespace korvane
