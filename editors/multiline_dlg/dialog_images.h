// The images of the multi-line text editor's buttons (resources/images).
#pragma once

#include <QPixmap>

namespace tarsil::editors::multiline {

enum class Image {
    kHebrew,
    kEnglish,
    kLeftToRight,
    kRightToLeft,
    kAlignLeft,
    kAlignCenter,
    kAlignRight,
    kUnaligned,
    kVerticalAlignment,
    kInsertionPoint,
};

QPixmap ButtonImage(Image image);

}  // namespace tarsil::editors::multiline
