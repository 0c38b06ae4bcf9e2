#pragma once
// The "Add / Modify Clip" dialog as every front end draws it: places in 96-dpi pixels of its
// client area, texts and colours.
#include "base/product.h"
#include "desktop/dialog_parts.h"
#include "library/slot_library.h"

namespace qv::editor_layout {

inline constexpr const char* kCaption = "Add / Modify Clip";
// The designed place of the window, with the size of its client area.
inline constexpr WindowRect kWindow{376, 119, 359, 213};
inline constexpr colour::Rgb kBackground = colour::kPanel;

// The design's two lines flow into the box as one paragraph: a wider font than the design's
// would otherwise cut the first line off.
inline constexpr DialogLabel kInstructions{
    {6, 4, 347, 30},
    "Click the row(s) in the other main " QV_PRODUCT_NAME
    " window where you want to add  or modify data.  Multiple adds/modifications are ok.",
    colour::kNavy};
inline constexpr DialogLabel kTitleLabel{{6, 37, 200, 13}, "Clip title:", colour::kNavy};
inline constexpr DialogLabel kContentLabel{{6, 79, 200, 13}, "Clip to paste:", colour::kNavy};

inline constexpr WindowRect kTitleField{6, 52, 199, 21};
inline constexpr std::size_t kTitleLimit = kTitleFieldLength;  // characters typed at most
inline constexpr WindowRect kContentField{7, 94, 345, 89};

inline constexpr DialogButton kClear{{212, 54, 46, 17}, "Clear"};
inline constexpr DialogButton kUpdateClip{{13, 188, 109, 22}, "Update Clip"};
inline constexpr DialogButton kClose{{125, 188, 109, 22}, "Close"};

inline constexpr const char* kPasteFromClipboard = "Paste from Clipboard";  // the text's menu
inline constexpr const char* kCopyClip = "Copy Clip";  // the copy menu on the list
inline constexpr const char* kPasteClip = "Paste Clip";

}  // namespace qv::editor_layout
