// Control ids of the single-line text editor ("Multy line Text editor").
#pragma once

namespace tarsil::editors::text_dialog {

inline constexpr int kEdit = 1107;
inline constexpr int kStyleList = 1088;
inline constexpr int kJustificationList = 1089;
inline constexpr int kHeight = 1004;
inline constexpr int kHeightUpDown = 1090;
inline constexpr int kRotation = 1094;
inline constexpr int kRotationUpDown = 1095;
inline constexpr int kEqualSpacing = 1112;
inline constexpr int kLineDistance = 1091;
inline constexpr int kLineDistanceUpDown = 1093;
inline constexpr int kCompletionWords = 1066;
inline constexpr int kUndo = 1118;
inline constexpr int kCompletionList = 1098;
inline constexpr int kUnusedButtons[] = {1113, 1114, 1115};
inline constexpr int kOk = 1;
inline constexpr int kCancel = 2;

}  // namespace tarsil::editors::text_dialog
