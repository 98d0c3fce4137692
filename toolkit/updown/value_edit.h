// A one-line edit holding a number: shown with a printf format, read back
// as the runtime reads a wide number (text that is no number reads 0).  It
// reports Enter and the loss of focus as a request to apply the value.
#pragma once

#include <QLineEdit>

namespace tarsil::toolkit {

class CValueEdit : public QLineEdit {
    Q_OBJECT

  public:
    // format: a printf format of one double ("%.2f").
    explicit CValueEdit(const char* format, QWidget* parent = nullptr);
    void SetValue(double value);
    double Value() const;

  signals:
    // Enter, or the focus left the edit.
    void ApplyRequested();

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

  private:
    const char* format_;
};

}  // namespace tarsil::toolkit
