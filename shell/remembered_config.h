#pragma once

#include "document/remembered_values.h"
#include "shell/runtime_paths.h"

namespace korvane {

// The remembered values in config.ini, section [Remembered]; each change is written at once, so
// a program that ends without closing keeps it.
class RememberedConfig : public RememberedValues {
  public:
    explicit RememberedConfig(RuntimePaths paths) : paths_(std::move(paths)) {}

    QString Value(const QString& key) const override;
    void SetValue(const QString& key, const QString& value) override;

  private:
    RuntimePaths paths_;
};

}  // namespace korvane
