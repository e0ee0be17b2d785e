#pragma once

namespace korvane {

// Numeric identifiers of the menu, toolbar and accelerator commands. Language files key the
// toolbar tooltips by these numbers, so they never change.
enum CommandId : int {
    kCmdFileNew = 57600,
    kCmdFileOpen = 57601,
    kCmdFileClose = 57602,
    kCmdFileSave = 57603,
    kCmdFileSaveAs = 57604,
    kCmdFilePrintSetup = 57606,
    kCmdFilePrint = 57607,
    kCmdFilePrintDirect = 57608,
    kCmdFilePrintPreview = 57609,
    kCmdEditCopy = 57634,
    kCmdEditCut = 57635,
    kCmdEditPaste = 57637,
    kCmdEditUndo = 57643,
    kCmdEditRedo = 57644,
    kCmdWindowCascade = 57650,
    kCmdWindowTile = 57651,
    kCmdAppAbout = 57664,
    kCmdAppExit = 57665,
    kCmdHelpContent = 57667,
    kCmdNextPane = 57680,
    kCmdPrevPane = 57681,

    kCmdPointsEdit = 32771,
    kCmdSquare = 32773,
    kCmdRamp = 32774,
    kCmdTrapezia = 32775,
    kCmdExponent = 32776,
    kCmdAmFm = 32777,
    kCmdOutputSet = 32778,
    kCmdSweep = 32779,
    kCmdBackgroundColor = 32780,
    kCmdXyLineColor = 32781,
    kCmdCurveColor = 32782,
    kCmdCursorColor = 32783,
    kCmdWaveNumber = 32784,
    kCmdPatternGenerator = 32785,
    kCmdProgrammableOutput = 32786,
    kCmdShowHideControl = 32787,
    kCmdCloseDevice = 32790,
    kCmdLanguageDefault = 32792,
    kCmdPowerOnOutputOpen = 32793,
    kCmdPowerOnOutputClose = 32794,
    kCmdZoomOut = 32797,
    kCmdZoomIn = 32798,
    kCmdUnassignedButton = 32800,  // a toolbar button that no command serves
    kCmdChangeDeviceName = 32801,
    kCmdDigitalInput = 32803,
    kCmdRemoteControl = 32804,
    kCmdSoundCardOutput = 32808,
    kCmdSynchronizeOutputs = 32809,
    // Tools on the arbitrary point table.
    kCmdSmoothPoints = 32850,
    kCmdNormalisePoints = 32851,
    kCmdInvertPoints = 32852,
    kCmdReversePoints = 32853,
    kCmdShiftPoints = 32854,
    kCmdFileImport = 32805,
    kCmdEquation = 32806,
    kCmdSpectrum = 32807,

    kCmdCloseSelectedDevice = 1276,  // the close button beside the device tabs
    kCmdFirstLanguage = 9001,        // language i is 9001 + i
    kCmdLastLanguageCommand = 11001,
    kCmdLastLanguageUpdate = 9101,
    kCmdFirstWindowEntry = 0xFF00,  // the Window menu's list of open device windows
};

}  // namespace korvane
