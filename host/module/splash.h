#pragma once

namespace tarsil {

inline constexpr int kSplashMilliseconds = 2500;
inline constexpr wchar_t kSupplierWebAddress[] = L"www.tarsil-cad.example";

// Shows the start-up splash for kSplashMilliseconds, at most once per
// process, when the module was found (module non-null), the host runs a
// Qt application and has a main window.  Returns at once.
void ShowSplashOnce(const void* module);

// Takes a splash that is still showing away at once.
void CloseSplash();

}  // namespace tarsil
