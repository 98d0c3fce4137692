// Height, rotation, line distance, justification, style and even spacing:
// each applies to the lines the selection touches.
#include <QComboBox>
#include <QLineEdit>
#include <QToolButton>
#include <cmath>

#include "editors/text_dialog/acad_text_dlg.h"
#include "editors/text_dialog/up_down.h"
#include "editors/text_dialog/value_text.h"
#include "host/layer/user_messages.h"

namespace tarsil::editors {

namespace {

constexpr wchar_t kNotANumber[] = L"Input not correct.\nOnly number allowed.";
constexpr double kHeightStep = 0.05;
constexpr double kRotationStep = 1.0;
constexpr double kDistanceStepShare = 0.05;
constexpr double kRadiansPerDegree = M_PI / 180.0;

// An up-down's delta below 1 (its upper arrow) adds a step, else takes one.
double Stepped(double value, int delta, double step) {
    return delta < 1 ? value + step : value - step;
}

}  // namespace

void CAcadTextDlg::ApplyHeight() {
    if (initialising_) return;
    const double value = ReadValue(height_->text());
    const auto [first, last] = SelectedLines();
    if (value == 0.0) {
        initialising_ = true;
        host::Alert(kNotANumber);
        const auto& records = lines_->Records();
        if (!records.empty()) {
            const int line = std::clamp(first, 0, static_cast<int>(records.size()) - 1);
            height_->setText(HeightText(records[line].height));
        }
        initialising_ = false;
        return;
    }
    lines_->SetHeight(first, last, value);
}

void CAcadTextDlg::StepHeight(int delta) {
    if (initialising_) return;
    const double value = Stepped(ReadValue(height_->text()), delta, kHeightStep);
    if (value <= 0.0) return;
    height_->setText(HeightText(value));
    const auto [first, last] = SelectedLines();
    lines_->SetHeight(first, last, value);
}

void CAcadTextDlg::ApplyRotation() {
    if (initialising_) return;
    const auto [first, last] = SelectedLines();
    lines_->SetRotation(first, last, ReadValue(rotation_->text()) * kRadiansPerDegree);
}

void CAcadTextDlg::StepRotation(int delta) {
    if (initialising_) return;
    const double degrees = Stepped(ReadValue(rotation_->text()), delta, kRotationStep);
    rotation_->setText(AngleText(degrees));
    const auto [first, last] = SelectedLines();
    lines_->SetRotation(first, last, degrees * kRadiansPerDegree);
}

void CAcadTextDlg::ApplyLineDistance() {
    if (initialising_ || lines_->Records().size() < 2) return;
    const double value = ReadValue(line_distance_->text());
    // The lines can't stand on each other or change places.
    if (value <= 0.0) {
        line_distance_->setText(DistanceText(lines_->LineDistance()));
        return;
    }
    if (value != lines_->LineDistance()) lines_->SetLineDistance(value);
}

void CAcadTextDlg::StepLineDistance(int delta) {
    if (initialising_ || lines_->Records().size() < 2) return;
    const double current = ReadValue(line_distance_->text());
    const double value = Stepped(current, delta, current * kDistanceStepShare);
    if (value <= 0.0) return;
    line_distance_->setText(DistanceText(value));
    lines_->SetLineDistance(value);
}

void CAcadTextDlg::OnJustification(int index) {
    if (index < 0) return;
    const auto [first, last] = SelectedLines();
    lines_->SetJustification(first, last, index);
}

void CAcadTextDlg::OnStyle(int index) {
    if (index < 0) return;
    const auto [first, last] = SelectedLines();
    lines_->SetStyle(first, last, style_list_->itemText(index).toStdWString(),
                     [this](int line) { return LineMask(line); });
}

void CAcadTextDlg::OnEqualSpacing() {
    if (lines_->Records().size() < 2) return;
    const double distance = lines_->EqualizeSpacing();
    if (distance == 0.0) return;
    line_distance_->setText(DistanceText(distance));
    line_distance_->setEnabled(true);
    line_distance_up_down_->setEnabled(true);
}

}  // namespace tarsil::editors
