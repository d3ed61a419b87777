#pragma once

#include <QColor>
#include <QString>

namespace tavorel::colors {

inline const QColor kSteelBlue{0x46, 0x82, 0xB4};
inline const QColor kAliceBlue{0xF0, 0xF8, 0xFF};
inline const QColor kBeige{0xF5, 0xF5, 0xDC};
// The words beside a member field that must be filled in.
inline const QColor kRequiredLabel{0xA5, 0x2A, 0x2A};
inline const QColor kWhite{0xFF, 0xFF, 0xFF};
inline const QColor kYellow{0xFF, 0xFF, 0x00};
inline const QColor kSkyBlue{0x87, 0xCE, 0xEB};
inline const QColor kPanelBorder{0xD8, 0xE5, 0xEF};
inline const QColor kInfoBand{0x30, 0x30, 0xDD};
inline const QColor kSlateBlue{0x6A, 0x5A, 0xCD};
inline const QColor kWordsBox{0xBF, 0xCC, 0xD9};
inline const QColor kRed{0xC8, 0x1E, 0x1E};

// Receipts: the lower copy's boxes, the small captions, the framed boxes of the editor.
inline const QColor kSnow{0xFF, 0xFA, 0xFA};
inline const QColor kCaptionGrey{0x6B, 0x7B, 0x8C};
inline const QColor kBoxFill{0xF4, 0xF8, 0xFC};

// Titles, captions and labels of the menus, the dialogs and the lists.
inline const QColor kTitleBlue{0x1E, 0x5A, 0xA8};
inline const QColor kSubtitleBack{0xEE, 0xF4, 0xFA};
inline const QColor kSubtitleText{0x2F, 0x5F, 0x8A};
inline const QColor kGroupTitle{0x1F, 0x3F, 0x5C};
inline const QColor kLabelText{0x33, 0x33, 0x33};
inline const QColor kLabelTextLight{0x55, 0x55, 0x55};
inline const QColor kCrimson{0xDC, 0x14, 0x3C};
inline const QColor kDarkCyan{0x00, 0x8B, 0x8B};
// The date picker's panel.
inline const QColor kCalendarBack{0xC9, 0xD6, 0xE3};
inline const QColor kCalendarBorder{0xA9, 0xBC, 0xCF};
// The logo's frame; the attachment names that cannot be typed into.
inline const QColor kLogoBorder{0xB8, 0xC4, 0xCF};
inline const QColor kReadOnlyText{0x60, 0x6A, 0x73};
inline const QColor kReadOnlyBack{0xF4, 0xF6, 0xF8};
// The rows of the list screens; the camera's picture before it shows one.
inline const QColor kListText{0x00, 0x00, 0x00};
inline const QColor kCameraBack{0x00, 0x00, 0x00};
// Picture buttons: a disabled caption, and the veils of the button under the mouse and pressed.
inline const QColor kCaptionDisabled{0xC0, 0xC0, 0xC0};
inline const QColor kHoverOverlay{0xFF, 0xFF, 0xFF, 55};
inline const QColor kPressOverlay{0x00, 0x00, 0x00, 30};

// A style sheet giving a label its text colour.
inline QString textColor(const QColor& c)
{
    return QStringLiteral("color: %1;").arg(c.name());
}

} // namespace tavorel::colors
