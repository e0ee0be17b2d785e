#include "shell/menu_layout.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <map>

#include "document/command_ids.h"

namespace korvane {

namespace {

const std::map<int, const char*>& CommandTexts() {
    static const std::map<int, const char*> texts = {
        {kCmdFileNew, "&New"},
        {kCmdFileClose, "&Close "},
        {kCmdFileOpen, "&Open CSV..."},
        {kCmdFileSave, "&Save CSV"},
        {kCmdFileSaveAs, "Save CSV &As..."},
        {kCmdFilePrint, "&Print..."},
        {kCmdFilePrintPreview, "Print Pre&view"},
        {kCmdFilePrintSetup, "P&rint Setup..."},
        {kCmdAppExit, "Exit"},
        {kCmdPointsEdit, "Points Edit"},
        {kCmdZoomOut, "Zoom Out"},
        {kCmdZoomIn, "Zoom In"},
        {kCmdEditUndo, "Undo"},
        {kCmdEditRedo, "Redo"},
        {kCmdSmoothPoints, "Smooth..."},
        {kCmdNormalisePoints, "Normalise to Peak..."},
        {kCmdInvertPoints, "Invert"},
        {kCmdReversePoints, "Reverse"},
        {kCmdShiftPoints, "Shift..."},
        {kCmdSquare, "Square"},
        {kCmdRamp, "Ramp"},
        {kCmdTrapezia, "Trapezia"},
        {kCmdExponent, "Exponent"},
        {kCmdAmFm, "AM/FM"},
        {kCmdPatternGenerator, "Pattern Generator"},
        {kCmdProgrammableOutput, "Programmable Output "},
        {kCmdOutputSet, "Output Set"},
        {kCmdDigitalInput, "Digital Input"},
        {kCmdBackgroundColor, "Background Color"},
        {kCmdXyLineColor, "XY Line Color"},
        {kCmdCurveColor, "Curve Color"},
        {kCmdCursorColor, "Cursor Color"},
        {kCmdWaveNumber, "Wave Number"},
        {kCmdShowHideControl, "Show/Hide Control"},
        {kCmdSweep, "Sweep"},
        {kCmdPowerOnOutputOpen, "Open Output Power On"},
        {kCmdPowerOnOutputClose, "Close Output Power On "},
        {kCmdLanguageDefault, "Default(En)"},
        {kCmdWindowCascade, "&Cascade"},
        {kCmdWindowTile, "&Tile"},
        {kCmdHelpContent, "Help Content(&H)"},
        {kCmdAppAbout, "&About..."},
        {kCmdEditCopy, "Copy to Clipboard"},
        {kCmdCloseSelectedDevice, "Close"},
        {kCmdRemoteControl, "Remote Control..."},
        {kCmdSoundCardOutput, "Sound card output..."},
        {kCmdSynchronizeOutputs, "Synchronize Outputs"},
        {kCmdFileImport, "&Import..."},
        {kCmdEquation, "Equation..."},
        {kCmdSpectrum, "Spectrum..."},
    };
    return texts;
}

void AddEntries(QMenu& menu, const std::vector<MenuEntry>& entries,
                const std::function<QAction*(int)>& action, QMenu*& languageMenu) {
    for (const MenuEntry& entry : entries) {
        if (entry.IsSubmenu()) {
            QMenu* submenu = menu.addMenu(QString::fromUtf8(entry.text));
            AddEntries(*submenu, entry.children, action, languageMenu);
            if (entry.id == kLanguageSubmenuId) {
                languageMenu = submenu;
            }
        } else if (entry.id == 0) {
            menu.addSeparator();
        } else {
            menu.addAction(action(entry.id));
        }
    }
}

}  // namespace

const std::vector<MenuEntry>& MainMenuLayout() {
    static const std::vector<MenuEntry> layout = {
        {-1,
         "&File",
         {{kCmdFileNew},
          {kCmdFileClose},
          {},
          {kCmdFileOpen},
          {kCmdFileImport},
          {kCmdFileSave},
          {kCmdFileSaveAs},
          {},
          {kCmdFilePrint},
          {kCmdFilePrintPreview},
          {kCmdFilePrintSetup},
          {},
          {kCmdAppExit}}},
        {-1,
         "&Edit",
         {{kCmdPointsEdit},
          {kCmdZoomOut},
          {kCmdZoomIn},
          {kCmdEquation},
          {},
          {kCmdEditUndo},
          {kCmdEditRedo},
          {},
          {-1,
           "Point Tools",
           {{kCmdSmoothPoints},
            {kCmdNormalisePoints},
            {kCmdInvertPoints},
            {kCmdReversePoints},
            {kCmdShiftPoints}}}}},
        {-1,
         "Wave P&arameter",
         {{kCmdSquare}, {kCmdRamp}, {kCmdTrapezia}, {kCmdExponent}, {kCmdAmFm}}},
        {-1,
         "D&igital IO",
         {{kCmdPatternGenerator},
          {},
          {kCmdProgrammableOutput},
          {kCmdOutputSet},
          {},
          {kCmdDigitalInput}}},
        {-1,
         "&Display",
         {{kCmdBackgroundColor},
          {kCmdXyLineColor},
          {kCmdCurveColor},
          {kCmdCursorColor},
          {},
          {kCmdWaveNumber},
          {kCmdShowHideControl},
          {kCmdSpectrum}}},
        {-1,
         "&Utility",
         {{kCmdSweep},
          {kCmdPowerOnOutputOpen},
          {kCmdPowerOnOutputClose},
          {},
          {kLanguageSubmenuId, "Language", {{kCmdLanguageDefault}, {}}},
          {kCmdRemoteControl},
          {kCmdSoundCardOutput},
          {kCmdSynchronizeOutputs}}},
        {-1, "&Windows", {{kCmdWindowCascade}, {kCmdWindowTile}}},
        {-1, "&Help", {{kCmdHelpContent}, {}, {kCmdAppAbout}}},
    };
    return layout;
}

const std::vector<int>& MainToolbarLayout() {
    static const std::vector<int> layout = {
        kCmdFileNew, kCmdFileOpen,    kCmdFileSave,        kCmdFilePrint,
        0,           kCmdEditCopy,    kCmdZoomOut,         kCmdZoomIn,
        0,           kCmdHelpContent, kCmdUnassignedButton};
    return layout;
}

bool IsCheckableCommand(int id) {
    switch (id) {
        case kCmdPatternGenerator:
        case kCmdProgrammableOutput:
        case kCmdPowerOnOutputOpen:
        case kCmdPowerOnOutputClose:
        case kCmdShowHideControl:
        case kCmdLanguageDefault:
            return true;
        default:
            return id >= kCmdFirstLanguage && id <= kCmdLastLanguageUpdate;
    }
}

QList<QKeySequence> CommandShortcuts(int id) {
    switch (id) {
        case kCmdFileNew:
            return {QKeySequence(Qt::CTRL | Qt::Key_N)};
        case kCmdFileOpen:
            return {QKeySequence(Qt::CTRL | Qt::Key_O)};
        case kCmdFileImport:
            return {QKeySequence(Qt::CTRL | Qt::Key_I)};
        case kCmdFileSave:
            return {QKeySequence(Qt::CTRL | Qt::Key_S)};
        case kCmdFilePrint:
            return {QKeySequence(Qt::CTRL | Qt::Key_P)};
        case kCmdEditUndo:
            return {QKeySequence(Qt::CTRL | Qt::Key_Z), QKeySequence(Qt::ALT | Qt::Key_Backspace)};
        case kCmdEditRedo:
            return {QKeySequence(Qt::CTRL | Qt::Key_Y),
                    QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)};
        case kCmdEditCut:
            return {QKeySequence(Qt::CTRL | Qt::Key_X), QKeySequence(Qt::SHIFT | Qt::Key_Delete)};
        case kCmdEditCopy:
            return {QKeySequence(Qt::CTRL | Qt::Key_C), QKeySequence(Qt::CTRL | Qt::Key_Insert)};
        case kCmdEditPaste:
            return {QKeySequence(Qt::CTRL | Qt::Key_V), QKeySequence(Qt::SHIFT | Qt::Key_Insert)};
        case kCmdNextPane:
            return {QKeySequence(Qt::Key_F6)};
        case kCmdPrevPane:
            return {QKeySequence(Qt::SHIFT | Qt::Key_F6)};
        default:
            return {};
    }
}

const char* CommandText(int id) {
    const auto& texts = CommandTexts();
    const auto it = texts.find(id);
    return it != texts.end() ? it->second : "";
}

QMenuBar* BuildMenuBar(const std::function<QAction*(int)>& action, QMenu*& languageMenu) {
    auto* bar = new QMenuBar;
    for (const MenuEntry& top : MainMenuLayout()) {
        QMenu* menu = bar->addMenu(QString::fromUtf8(top.text));
        AddEntries(*menu, top.children, action, languageMenu);
    }
    return bar;
}

}  // namespace korvane
