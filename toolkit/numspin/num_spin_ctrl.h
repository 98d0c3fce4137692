// A numeric spin: the up-down control of a number edit (its buddy).  The
// spin knows the number's decimals, range and step; the arrows step the
// number within the range and the edit shows it with the decimals.  The
// edit may also be empty (the selected objects disagree), which is not a
// number: Pos() then gives nothing.
#pragma once

#include <optional>

#include "toolkit/updown/up_down.h"

class QLineEdit;

namespace tarsil::toolkit {

class CNumSpinCtrl : public CUpDown {
    Q_OBJECT

  public:
    explicit CNumSpinCtrl(QWidget* parent = nullptr);

    // The edit that shows the number.  Not owned.
    void SetBuddy(QLineEdit* buddy);
    QLineEdit* Buddy() const { return buddy_; }

    void SetDecimals(int decimals);
    // A range whose ends are swapped is taken the right way round; a step
    // of 0 or less leaves the arrows without effect.
    void SetRangeAndDelta(double lower, double upper, double delta);
    double Lower() const { return lower_; }
    double Upper() const { return upper_; }
    double Delta() const { return delta_; }

    // Shows value, kept inside the range, in the buddy.
    void SetPos(double value);
    // The buddy's number inside the range; nothing when the buddy is empty
    // or does not hold a number.
    std::optional<double> Pos() const;
    // Empties the buddy.
    void Clear();
    // Enables or disables the spin together with its buddy.
    void SetEnabledWithBuddy(bool enabled);

  signals:
    // An arrow stepped the number (not emitted by SetPos).
    void Stepped(double value);
    // The user typed in the buddy and it now holds a number.
    void Edited(double value);

  private:
    double Clamp(double value) const;
    void Step(int delta);

    QLineEdit* buddy_ = nullptr;
    int decimals_ = 0;
    double lower_ = 0.0;
    double upper_ = 100.0;
    double delta_ = 1.0;
};

}  // namespace tarsil::toolkit
