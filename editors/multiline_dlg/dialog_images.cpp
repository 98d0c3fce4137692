#include "editors/multiline_dlg/dialog_images.h"

// The images are XPM files, which are C arrays: they are compiled into the
// module, so that it needs no files beside itself to show them.
#include "resources/images/align_center.xpm"
#include "resources/images/align_left.xpm"
#include "resources/images/align_right.xpm"
#include "resources/images/english.xpm"
#include "resources/images/hebrew.xpm"
#include "resources/images/insertion_point.xpm"
#include "resources/images/ltr.xpm"
#include "resources/images/rtl.xpm"
#include "resources/images/unaligned.xpm"
#include "resources/images/vertical_align.xpm"

namespace tarsil::editors::multiline {

QPixmap ButtonImage(Image image) {
    switch (image) {
        case Image::kHebrew:
            return QPixmap(hebrew_xpm);
        case Image::kEnglish:
            return QPixmap(english_xpm);
        case Image::kLeftToRight:
            return QPixmap(ltr_xpm);
        case Image::kRightToLeft:
            return QPixmap(rtl_xpm);
        case Image::kAlignLeft:
            return QPixmap(align_left_xpm);
        case Image::kAlignCenter:
            return QPixmap(align_center_xpm);
        case Image::kAlignRight:
            return QPixmap(align_right_xpm);
        case Image::kUnaligned:
            return QPixmap(unaligned_xpm);
        case Image::kVerticalAlignment:
            return QPixmap(vertical_align_xpm);
        case Image::kInsertionPoint:
            return QPixmap(insertion_point_xpm);
    }
    return {};
}

}  // namespace tarsil::editors::multiline
