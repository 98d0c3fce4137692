// How the single-line text editor shows and reads its numbers: heights and
// line distances with three decimals, angles with two, each followed by a
// line feed as the fields have always held them; read back the way the C
// runtime reads a number, so text that is not a number reads as 0.
#pragma once

#include <QString>

namespace tarsil::editors {

QString HeightText(double height);      // "%.3f\n"
QString AngleText(double degrees);      // "%.2f\n"
QString DistanceText(double distance);  // "%.3f", as the spacing button shows it
// The leading number of the text (blanks before it skipped); 0 when there
// is none.
double ReadValue(const QString& text);

}  // namespace tarsil::editors
