#pragma once

#include <QDialog>
#include <vector>

class QTableWidget;
class QPushButton;

namespace korvane {

class DeviceLibrary;
class LanguageTable;

// Lets the user pick one of several free generators; rows show 1-based device numbers, followed
// by what the library says a device is (a sound card's left or right output, in `language`) when
// it says so.
class DeviceListDialog : public QDialog {
    Q_OBJECT
  public:
    static constexpr int kDialogId = 142;
    static constexpr int kListId = 1001;
    static constexpr int kOkId = 1002;
    static constexpr int kPromptId = 1141;
    // The OK button's control has no text of its own in the language files; it shows the
    // language's common "OK".
    static constexpr int kOkTextKey = 1127;

    DeviceListDialog(std::vector<int> freeDevices, const DeviceLibrary* library,
                     const LanguageTable& language, QWidget* parent = nullptr);

    // The chosen device index; meaningful after the dialog ended with OK.
    int ChosenDevice() const { return chosen_; }
    QTableWidget& List() const { return *list_; }
    QPushButton& OkButton() const { return *ok_; }

  private:
    void Choose();

    std::vector<int> freeDevices_;
    QTableWidget* list_;
    QPushButton* ok_;
    int chosen_ = -1;
};

}  // namespace korvane
