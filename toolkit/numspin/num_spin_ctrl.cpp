#include "toolkit/numspin/num_spin_ctrl.h"

#include <QLineEdit>
#include <algorithm>
#include <cmath>
#include <cwchar>
#include <string>

namespace tarsil::toolkit {

namespace {

// The number the text starts with, as the runtime reads one; nothing when
// the text does not start with a number.
std::optional<double> NumberOf(const QString& text) {
    const std::wstring wide = text.trimmed().toStdWString();
    if (wide.empty()) return std::nullopt;
    wchar_t* end = nullptr;
    const double value = std::wcstod(wide.c_str(), &end);
    if (end == wide.c_str() || !std::isfinite(value)) return std::nullopt;
    return value;
}

}  // namespace

CNumSpinCtrl::CNumSpinCtrl(QWidget* parent) : CUpDown(parent) {
    connect(this, &CUpDown::DeltaPos, this, &CNumSpinCtrl::Step);
}

void CNumSpinCtrl::SetBuddy(QLineEdit* buddy) {
    if (buddy_ != nullptr) disconnect(buddy_, nullptr, this, nullptr);
    buddy_ = buddy;
    if (buddy_ == nullptr) return;
    connect(buddy_, &QLineEdit::textEdited, this, [this] {
        if (const auto value = Pos()) emit Edited(*value);
    });
}

void CNumSpinCtrl::SetDecimals(int decimals) {
    decimals_ = std::clamp(decimals, 0, 15);
}

void CNumSpinCtrl::SetRangeAndDelta(double lower, double upper, double delta) {
    lower_ = std::min(lower, upper);
    upper_ = std::max(lower, upper);
    delta_ = delta;
}

double CNumSpinCtrl::Clamp(double value) const {
    return std::clamp(value, lower_, upper_);
}

void CNumSpinCtrl::SetPos(double value) {
    if (buddy_ != nullptr) buddy_->setText(QString::number(Clamp(value), 'f', decimals_));
}

std::optional<double> CNumSpinCtrl::Pos() const {
    if (buddy_ == nullptr) return std::nullopt;
    const auto value = NumberOf(buddy_->text());
    if (!value) return std::nullopt;
    return Clamp(*value);
}

void CNumSpinCtrl::Clear() {
    if (buddy_ != nullptr) buddy_->clear();
}

void CNumSpinCtrl::SetEnabledWithBuddy(bool enabled) {
    setEnabled(enabled);
    if (buddy_ != nullptr) buddy_->setEnabled(enabled);
}

void CNumSpinCtrl::Step(int delta) {
    if (buddy_ == nullptr || delta_ <= 0.0) return;
    // The up arrow reports -1 and raises the number.  An empty edit steps
    // from the lower end.
    const double from = Pos().value_or(lower_);
    const double value = Clamp(from - delta * delta_);
    SetPos(value);
    emit Stepped(value);
}

}  // namespace tarsil::toolkit
