// Without the Qt parts the host has no windows and there is no splash.
#include "host/module/splash.h"

namespace tarsil {

void ShowSplashOnce(const void*) {}
void CloseSplash() {}

}  // namespace tarsil
