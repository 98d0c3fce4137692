#pragma once

// The drawing variables in a DXF file's HEADER section: read when a drawing
// is opened, written into the saved text when it is saved.
#include <string>

#include "cadhost/editor/sysvars.h"

namespace cadhost {
// Fills the variables that the header names; others keep their values.
void readHeaderVars(const std::string& dxf, DrawingVars& vars);
// Replaces (or adds) the header values of the given variables.
void writeHeaderVars(std::string& dxf, const DrawingVars& vars);
}  // namespace cadhost
