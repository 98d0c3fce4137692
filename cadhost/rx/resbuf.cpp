#include <cmath>
#include <cstdarg>
#include <cstring>
#include <cwchar>

#include "cadhost/rx/adsdefs.h"

namespace {
// DXF group codes whose value is a string (the filter lists of selections).
bool holdsString(int type) {
    if (type == RTSTR) return true;
    return (type >= 0 && type <= 9) || (type >= 100 && type <= 102) || type == 105 ||
           (type >= 300 && type <= 309) || (type >= 410 && type <= 419) ||
           (type >= 430 && type <= 439) || (type >= 470 && type <= 479) || type == 999 ||
           (type >= 1000 && type <= 1009);
}
}  // namespace

resbuf* acutNewRb(int type) {
    auto* rb = new resbuf{};
    rb->restype = static_cast<short>(type);
    return rb;
}

int acutRelRb(resbuf* rb) {
    while (rb != nullptr) {
        resbuf* next = rb->rbnext;
        if (holdsString(rb->restype)) delete[] rb->resval.rstring;
        delete rb;
        rb = next;
    }
    return RTNORM;
}

int acutNewString(const ACHAR* text, ACHAR*& copy) {
    if (text == nullptr) {
        copy = nullptr;
        return RTERROR;
    }
    const std::size_t n = std::wcslen(text);
    copy = new ACHAR[n + 1];
    std::wmemcpy(copy, text, n + 1);
    return RTNORM;
}

void acutDelString(ACHAR*& text) {
    delete[] text;
    text = nullptr;
}

resbuf* acutBuildList(int type, ...) {
    va_list args;
    va_start(args, type);
    resbuf* head = nullptr;
    resbuf* tail = nullptr;
    while (type != 0 && type != RTNONE) {
        // Group 0 is written RTDXF0 in a list, since 0 ends the list.
        resbuf* rb = acutNewRb(type == RTDXF0 ? 0 : type);
        if (holdsString(type) || type == RTDXF0) {
            acutNewString(va_arg(args, const ACHAR*), rb->resval.rstring);
        } else if (type == RTREAL || type == RTANG || (type >= 40 && type <= 59)) {
            rb->resval.rreal = va_arg(args, double);
        } else if (type == RTPOINT || type == RT3DPOINT || (type >= 10 && type <= 39)) {
            const double* p = va_arg(args, const double*);
            ads_point_set(p, rb->resval.rpoint);
        } else if (type == RTSHORT || (type >= 60 && type <= 79)) {
            rb->resval.rint = static_cast<short>(va_arg(args, int));
        } else if (type == RTLONG || (type >= 90 && type <= 99)) {
            rb->resval.rlong = va_arg(args, std::int32_t);
        } else if (type == RTENAME || type == RTPICKS || type == -1) {
            const std::int64_t* n = va_arg(args, const std::int64_t*);
            rb->resval.rlname[0] = n[0];
            rb->resval.rlname[1] = n[1];
        }
        (head == nullptr ? head : tail->rbnext) = rb;
        tail = rb;
        type = va_arg(args, int);
    }
    va_end(args);
    return head;
}

ads_real acutAngle(const ads_point p1, const ads_point p2) {
    double a = std::atan2(p2[1] - p1[1], p2[0] - p1[0]);
    if (a < 0) a += 2 * M_PI;
    return a;
}

ads_real acutDistance(const ads_point p1, const ads_point p2) {
    return std::sqrt((p2[0] - p1[0]) * (p2[0] - p1[0]) + (p2[1] - p1[1]) * (p2[1] - p1[1]) +
                     (p2[2] - p1[2]) * (p2[2] - p1[2]));
}

void acutPolar(const ads_point pt, ads_real angle, ads_real dist, ads_point result) {
    result[0] = pt[0] + dist * std::cos(angle);
    result[1] = pt[1] + dist * std::sin(angle);
    result[2] = pt[2];
}
