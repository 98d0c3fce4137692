#pragma once

#include <QIcon>

namespace tarsil::editors {

// The equal-spacing button's picture: three lines of text between two
// arrows, drawn rather than loaded so that it scales with the screen.
QIcon SpacingIcon();

}  // namespace tarsil::editors
