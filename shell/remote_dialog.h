#pragma once

#include <QDialog>

#include "shell/remote_service.h"

class QCheckBox;
class QSpinBox;

namespace korvane {

// Utility > Remote Control: switches the remote-control server on or off and sets its port and
// the time an idle client keeps its connection. Its texts are in the current language.
class RemoteDialog : public QDialog {
    Q_OBJECT
  public:
    RemoteDialog(const RemoteSettings& settings, QWidget* parent);

    RemoteSettings Settings() const;

    QCheckBox& EnabledBox() const { return *enabled_; }
    QSpinBox& PortBox() const { return *port_; }
    QSpinBox& IdleTimeoutBox() const { return *idleTimeout_; }

  private:
    QCheckBox* enabled_;
    QSpinBox* port_;
    QSpinBox* idleTimeout_;
};

}  // namespace korvane
