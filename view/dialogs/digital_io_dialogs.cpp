#include "view/dialogs/digital_io_dialogs.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <span>

#include "engine/channel_rules.h"
#include "engine/channel_state.h"
#include "view/dialogs/dialog_support.h"
#include "view/dialogs/pin_button.h"

namespace korvane {

namespace {

constexpr int kFirstPinId = 1073;
constexpr int kPeriodMs = 300;

// A group box of pins, each with its name above it; pins without a name are made but neither
// laid out nor shown.
QGroupBox* PinGroup(QDialog& dialog, const char* title, int titleId, std::span<PinButton*> pins,
                    const QStringList& names) {
    auto* group = WithControlId(new QGroupBox(QString::fromLatin1(title), &dialog), titleId);
    auto* grid = new QGridLayout(group);
    int column = 0;
    for (std::size_t k = 0; k < pins.size(); ++k) {
        pins[k] = WithControlId(new PinButton(group), kFirstPinId + static_cast<int>(k));
        const QString name = names.value(static_cast<int>(k));
        if (name.isEmpty()) {
            pins[k]->hide();
            continue;
        }
        auto* label = new QLabel(name, group);
        label->setAlignment(Qt::AlignCenter);
        grid->addWidget(label, 0, column);
        grid->addWidget(pins[k], 1, column, Qt::AlignCenter);
        ++column;
    }
    return group;
}

// The layout shared by both dialogs: the pin group above an OK key that hides the dialog.
void LayOut(QDialog& dialog, QGroupBox* group) {
    auto* layout = new QGridLayout(&dialog);
    layout->addWidget(group, 0, 0, 1, 2);
    auto* ok = WithControlId(new QPushButton(QStringLiteral("OK"), &dialog), 1127);
    ok->setDefault(true);
    QObject::connect(ok, &QPushButton::clicked, &dialog, &QWidget::hide);
    layout->addWidget(ok, 1, 1, Qt::AlignRight);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

}  // namespace

OutputSetDialog::OutputSetDialog(ChannelState& channel, QWidget* parent)
    : QDialog(parent), channel_(channel) {
    setWindowTitle(QStringLiteral("Output Set"));
    setModal(false);
    LayOut(*this,
           PinGroup(*this, "Digital Out Pin (H: 3.3V, L:GND)", 2069, pins_,
                    {"O0", "O1", "O2", "O3", "O4", "O5", "O6", "O7", "O8", "O9", "OA", "OB"}));
    InitialiseDialog(*this, 134);
    ShowWord(channel_.digitalOut);
    connect(&timer_, &QTimer::timeout, this, &OutputSetDialog::WriteOutputWord);
    timer_.start(kPeriodMs);
}

void OutputSetDialog::ShowWord(unsigned word) {
    for (int k = 0; k < kPinCount; ++k) {
        Pin(k).state = ((word >> k) & 1U) != 0;
        Pin(k).Refresh();
    }
    written_ = static_cast<std::uint16_t>(word);
}

void OutputSetDialog::WriteOutputWord() {
    const std::uint16_t current = channel_.digitalOut;
    if (current != written_) {
        ShowWord(current);
        return;
    }
    std::uint16_t word = 0;
    for (int k = 0; k < kPinCount; ++k) {
        if (Pin(k).state) {
            word = static_cast<std::uint16_t>(word | (1U << k));
        }
    }
    StoreDigitalOut(channel_, word);
    written_ = channel_.digitalOut;
}

DigitalInputDialog::DigitalInputDialog(ChannelState& channel, QWidget* parent)
    : QDialog(parent), channel_(channel) {
    setWindowTitle(QStringLiteral("Digital Input"));
    setModal(false);
    LayOut(*this, PinGroup(*this, "Digital In Pin (H: 3.3V, L:GND)", 2070, indicators_,
                           {"", "", "I0", "I1", "I2", "I3"}));
    InitialiseDialog(*this, 145);
    for (int bit = 0; bit < kBitCount; ++bit) {
        Indicator(bit).clickable = false;
        Indicator(bit).setFocusPolicy(Qt::NoFocus);
    }
    ShowBits(channel_.digitalIn & kDigitalInMask);
    connect(&timer_, &QTimer::timeout, this, &DigitalInputDialog::ReadInputWord);
    timer_.start(kPeriodMs);
}

void DigitalInputDialog::ReadInputWord() {
    const unsigned bits = channel_.digitalIn & kDigitalInMask;
    if (bits != shownBits_) {
        ShowBits(bits);
        shownBits_ = bits;
    }
}

void DigitalInputDialog::ShowBits(unsigned bits) {
    for (int bit = 0; bit < kBitCount; ++bit) {
        Indicator(bit).state = ((bits >> bit) & 1U) != 0;
        Indicator(bit).Refresh();
    }
}

}  // namespace korvane
