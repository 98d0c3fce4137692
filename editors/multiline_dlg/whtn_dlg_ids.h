// Control ids, captions and tooltips of the multi-line text editor
// ("Tarsil Multiline Editor").
#pragma once

namespace tarsil::editors::multiline {

inline constexpr int kJustificationList = 1034;
inline constexpr int kStyleList = 1035;
inline constexpr int kSizeUpDown = 1036;
inline constexpr int kSize = 1037;
inline constexpr int kAngleUpDown = 1038;
inline constexpr int kAngle = 1039;
inline constexpr int kHebrew = 1040;
inline constexpr int kEnglish = 1041;
inline constexpr int kLeftToRight = 1042;
inline constexpr int kRightToLeft = 1043;
inline constexpr int kAlignLeft = 1044;  // 1044..1047: alignment 0..3
inline constexpr int kAlignCenter = 1045;
inline constexpr int kAlignRight = 1046;
inline constexpr int kUnaligned = 1047;
inline constexpr int kDistanceUpDown = 1048;
inline constexpr int kVerticalAlignment = 1049;
inline constexpr int kDistance = 1050;
inline constexpr int kGrid = 1032;
inline constexpr int kInsertionPoint = 1030;
inline constexpr int kOk = 1;
inline constexpr int kCancel = 2;
inline constexpr int kFirstLabel = 1081;  // 1081..1086

inline constexpr char kTitle[] = "Tarsil Multiline Editor";
// The labels above the toolbar's fields, 1081 to 1086, as the template has them.
inline constexpr const char* kLabels[] = {"Aling", "Style", "Size", "Angle", "Distance", "."};

inline constexpr char kTipJustify[] = "Text Justify";
inline constexpr char kTipStyle[] = "Text Style";
inline constexpr char kTipSize[] = "Text Size";
inline constexpr char kTipAngle[] = "Text Angle";
inline constexpr char kTipVerticalAlignment[] = "Vertical alignment";
inline constexpr char kTipInsertionPoint[] = "Set insertion point";
inline constexpr char kHebrewText[] = "Hebrew";
inline constexpr char kEnglishText[] = "English";
inline constexpr char kLeftToRightText[] = "Left to right";
inline constexpr char kRightToLeftText[] = "Right to left";
inline constexpr const char* kAlignmentTips[] = {"Left alignment", "Center alignment",
                                                 "Right alignment", "Unaligned"};

// The idle refresh's timer: every 100 milliseconds.
inline constexpr int kRefreshIntervalMs = 100;

}  // namespace tarsil::editors::multiline
