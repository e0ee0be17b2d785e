#pragma once

#include <QObject>
#include <QString>
#include <memory>

#include "document/command_map.h"
#include "engine/point_history.h"

class QWidget;

namespace korvane {

class ChannelState;
class DeviceLibrary;
class DeviceView;
struct DocumentContext;

// The text that marks a waveform without a CSV file.
inline constexpr char kNoCsvFileName[] = "CSV File Empty";

// One generator window's document: owns the channel, the device name shown on the tab and in the
// title, and the CSV file the waveform belongs to; answers the commands that concern the channel
// as a whole.
class CMultiTesselDoc : public QObject {
    Q_OBJECT
  public:
    explicit CMultiTesselDoc(QObject* parent = nullptr);
    ~CMultiTesselDoc() override;

    // The program's language and folder, shared by every document and dialog; null while no
    // frame exists.
    static void SetContext(const DocumentContext* context);
    static const DocumentContext* Context();

    QString m_strFileName = QString::fromLatin1(kNoCsvFileName);
    QString m_strDeviceName;
    // Shared with the channel's DeviceSession, whose worker may outlive the document.
    std::shared_ptr<ChannelState> m_pState;
    int m_nIndex = -1;
    int m_bNameFixed = 0;
    // The number of the automatic name ("Device 2" has 2), kept so the name can be said again in
    // another language; 0 while the document has none.
    int m_nNameNumber = 0;
    QString m_strCsvPath;
    // The undo and redo steps of the channel's arbitrary point table (document/point_edits.h).
    PointHistory m_pointHistory;

    // Creates the channel with its defaults.
    void CreateState(DeviceLibrary& library);

    QString GetTitle() const { return m_strDeviceName; }
    // Sets the device name, which is also the window title.
    void SetDeviceName(const QString& name);

    // 1 when the file was read and applied (or written), 0 otherwise; failures that the user must
    // know about are shown in a message box. An arbitrary panel's points travel in a waveform
    // file beside the settings file.
    int LoadSettings(const QString& path);
    int SaveSettings(const QString& path);
    // Whether LoadSettings gave an arbitrary panel its points back, so the panel opens on them.
    bool PointsRestored() const { return pointsRestored_; }

    static int TranslateWindow(QWidget& window);
    static QString& GetLanguageText(QString& text, int key);
    static QString GetLanguageText(int key);

    void SetView(DeviceView* view) { view_ = view; }
    DeviceView* View() const { return view_; }
    // Brings the document's window to the top.
    void ActivateFrame();
    // Leaves the device list; the window then closes.
    void OnCloseDocument();
    // Closes the document's window, which ends in OnCloseDocument.
    void CloseWindow();

    const CommandMap& Commands() const { return commands_; }

  signals:
    void TitleChanged(const QString& title);
    // The document has left the device list (its window is closing); `index` was its place.
    void LeftDeviceList(int index);

  private:
    void RegisterCommands();
    void SetPowerOnOutput(int value);

    CommandMap commands_;
    DeviceView* view_ = nullptr;
    bool leftDeviceList_ = false;
    bool pointsRestored_ = false;
};

// The display column of arbitrary point `index` for a display `width` pixels wide; 0 while the
// channel has no points or no window.
int PointColumn(const ChannelState& state, int index, int width);

// The help file for the language file `languageFileName` (empty for the built-in language): the
// first that exists of language/<name>.chm, language/<name>.html, language/English.chm and
// language/English.html below programDir; the English HTML manual when none exists.
QString ChooseHelpFile(const QString& programDir, const QString& languageFileName);

}  // namespace korvane
