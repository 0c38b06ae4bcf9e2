#pragma once
// The "Settings" dialog as every front end draws it: places in 96-dpi pixels of its client
// area, texts and colours.
#include "base/product.h"
#include "desktop/dialog_parts.h"

namespace qv::settings_layout {

inline constexpr const char* kCaption = "Settings";
// Centred when first shown: only the size of the client area counts.
inline constexpr WindowRect kWindow{0, 0, 228, 119};
inline constexpr colour::Rgb kBackground = colour::kPanel;

// The blue header with a raised outer and a lowered inner bevel; its labels are placed in it.
inline constexpr WindowRect kHeader{6, 2, 217, 43};
inline constexpr colour::Rgb kHeaderColour = colour::kBlue;
inline constexpr DialogLabel kProductLabel{
    {61, 5, 0, 0}, QV_PRODUCT_NAME " V" QV_VERSION_TEXT, colour::kYellow};
inline constexpr DialogLabel kMakerLabel{
    {56, 21, 104, 13}, "Skor Velmora Software", colour::kYellow};

inline constexpr DialogLabel kHotKeyLabel{{6, 51, 0, 0}, "Clip HotKey:", colour::kNavy};
inline constexpr DialogLabel kDelayLabel{{119, 51, 0, 0}, "Paste Delay:", colour::kNavy};
// Editable combo boxes with navy text; their lists show this many items at a time.
inline constexpr WindowRect kHotKeyBox{6, 66, 105, 21};
inline constexpr WindowRect kDelayBox{119, 66, 105, 21};
inline constexpr colour::Rgb kBoxText = colour::kNavy;
inline constexpr int kDropDownItems = 8;

inline constexpr DialogButton kOk{{37, 94, 75, 22}, "OK"};
inline constexpr DialogButton kCancel{{116, 94, 75, 22}, "Cancel"};
// From the window's outer corner to the middle of "OK", through the frame and caption.
inline constexpr Point kOkPointerOffset{kOk.place.left + 60, kOk.place.top + 33};

}  // namespace qv::settings_layout
