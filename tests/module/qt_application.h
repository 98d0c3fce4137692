#pragma once

// One QApplication for a test binary, created before the first test.
#include <gtest/gtest.h>

#include <QApplication>
#include <QWidget>
#include <memory>

namespace tarsil::testing {

class QtApplication : public ::testing::Environment {
  public:
    void SetUp() override { application_ = std::make_unique<QApplication>(argc_, argv_); }
    void TearDown() override { application_.reset(); }

  private:
    int argc_ = 1;
    char name_[8] = "tests";
    char* argv_[2] = {name_, nullptr};
    std::unique_ptr<QApplication> application_;
};

// The top-level windows named TarsilSplash that are still alive.
inline std::vector<QWidget*> SplashWindows() {
    std::vector<QWidget*> found;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->objectName() == QStringLiteral("TarsilSplash")) found.push_back(widget);
    }
    return found;
}

}  // namespace tarsil::testing
