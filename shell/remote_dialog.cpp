#include "shell/remote_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QPushButton>
#include <QSpinBox>
#include <algorithm>
#include <climits>

#include "document/user_message.h"

namespace korvane {

namespace {

constexpr int kTitleKey = 2081;
constexpr int kEnabledKey = 2082;
constexpr int kPortKey = 2083;
constexpr int kIdleTimeoutKey = 2084;
constexpr int kOkKey = 1127;
constexpr int kCancelKey = 1048;

}  // namespace

RemoteDialog::RemoteDialog(const RemoteSettings& settings, QWidget* parent)
    : QDialog(parent),
      enabled_(new QCheckBox(LanguageTextOr(kEnabledKey, "Remote control on"), this)),
      port_(new QSpinBox(this)),
      idleTimeout_(new QSpinBox(this)) {
    setWindowTitle(LanguageTextOr(kTitleKey, "Remote Control"));
    enabled_->setChecked(settings.enabled);
    port_->setRange(1, 65535);
    port_->setValue(settings.port);
    const auto maxSeconds = std::min<long long>(scpi::Server::kMaxIdleTimeout.count(), INT_MAX);
    idleTimeout_->setRange(0, static_cast<int>(maxSeconds));
    idleTimeout_->setValue(static_cast<int>(
        std::min<long long>(std::max<long long>(settings.idleTimeout.count(), 0), maxSeconds)));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(LanguageTextOr(kOkKey, "OK"));
    buttons->button(QDialogButtonBox::Cancel)->setText(LanguageTextOr(kCancelKey, "Cancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* form = new QFormLayout(this);
    form->addRow(enabled_);
    form->addRow(LanguageTextOr(kPortKey, "Port:"), port_);
    form->addRow(LanguageTextOr(kIdleTimeoutKey, "Idle timeout (s, 0: never):"), idleTimeout_);
    form->addRow(buttons);
}

RemoteSettings RemoteDialog::Settings() const {
    return {enabled_->isChecked(), port_->value(), std::chrono::seconds(idleTimeout_->value())};
}

}  // namespace korvane
