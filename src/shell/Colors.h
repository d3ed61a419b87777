#pragma once

#include <QColor>

namespace tavorel::colors {

inline const QColor kSteelBlue{0x46, 0x82, 0xB4};
inline const QColor kAliceBlue{0xF0, 0xF8, 0xFF};
inline const QColor kBeige{0xF5, 0xF5, 0xDC};
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

} // namespace tavorel::colors
