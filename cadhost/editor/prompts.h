#pragma once

// Prompts on the command line.  Each reads one answer from the input:
// RTNORM with a value, RTNONE for Enter, RTCAN for Escape or no more input.
// A wrong answer is reported and asked again.  Points are in the user
// coordinate system.
#include <cstddef>
#include <string>

#include "cadhost/rx/adsdefs.h"

int acedGetPoint(const ads_point pt, const ACHAR* prompt, ads_point result);
int acedGetCorner(const ads_point pt, const ACHAR* prompt, ads_point result);
// Degrees typed, radians returned; with a base point a second point gives the angle.
int acedGetAngle(const ads_point pt, const ACHAR* prompt, ads_real* result);
// A number, or a point (two points without a base point).
int acedGetDist(const ads_point pt, const ACHAR* prompt, ads_real* result);
int acedGetReal(const ACHAR* prompt, ads_real* result);
int acedGetInt(const ACHAR* prompt, int* result);
// cronly != 0: blanks are part of the answer (always so here, one answer a line).
int acedGetString(int cronly, const ACHAR* prompt, ACHAR* result, std::size_t bufLen);

namespace cadhost {
// A typed point ("x,y", "@dx,dy", ...) in the user system, made absolute
// against base, or against the last point when base is null.
bool resolveTypedPoint(const std::wstring& text, const double* base, ads_point out);
}  // namespace cadhost
