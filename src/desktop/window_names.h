#pragma once
// Window classes, captions and control ids of the program's windows; other tools use
// them to find the windows.
namespace qv {

inline constexpr const char* kApplicationClass = "TApplication";  // hidden owner, taskbar button
inline constexpr const char* kMainWindowClass = "TForm1";         // the pop-up list
inline constexpr const char* kSettingsClass = "TForm2";
inline constexpr const char* kEditorClass = "TForm3";
inline constexpr const char* kMainWindowCaption = "Velmora Clips";
inline constexpr const char* kHotKeyWindowClass = "TQvHotKeyWindow";
inline constexpr const char* kTrayWindowClass = "TQvTrayWindow";
inline constexpr const char* kFolderWatchWindowClass = "TQvFolderWatchWindow";

// The child controls that are windows of their own; the rest are drawn by their window.
// The header's buttons are windows, so that a screen reader names them and Tab reaches them.
enum ControlId : int {
  kIdSlotList = 101,      // RxCheckListBox1
  kIdCrLfLfButton = 103,  // SpeedButton3, "+CR"
  kIdCrLfButton = 104,    // SpeedButton2, "+cR"
  kIdCloseButton = 105,   // SpeedButton8, the dash
  kIdHeaderNotice = 106,  // a notice not seen yet, over the banner
  kIdKeyLabels = 107,     // ListBox7
  kIdHotKeyBox = 201,     // ComboBox1
  kIdDelayBox = 202,      // ComboBox2
  kIdMakerLabel = 205,    // RxLabel3
  kIdTitleField = 301,    // AlignedEdit
  kIdContentField = 302,  // the clip's text
  kIdClearButton = 303,   // SpeedButton3, "Clear"
  kIdUpdateClip = 304,    // SpeedButton2, "Update Clip"
  kIdEditorClose = 305,   // SpeedButton1, "Close"
};

// The content field's menu.
inline constexpr int kCmdPasteFromClipboard = 1;

}  // namespace qv
