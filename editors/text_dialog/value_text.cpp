#include "editors/text_dialog/value_text.h"

#include <cwchar>
#include <string>

namespace tarsil::editors {

QString HeightText(double height) {
    return QString::asprintf("%.3f\n", height);
}

QString AngleText(double degrees) {
    return QString::asprintf("%.2f\n", degrees);
}

QString DistanceText(double distance) {
    return QString::asprintf("%.3f", distance);
}

double ReadValue(const QString& text) {
    const std::wstring wide = text.toStdWString();
    return std::wcstod(wide.c_str(), nullptr);
}

}  // namespace tarsil::editors
