#pragma once

// The host's plain C types and codes: wide characters, points, entity and
// selection-set names, result buffers, result codes and value types.
#include <cstdint>

typedef wchar_t ACHAR;
typedef double ads_real;
typedef ads_real ads_point[3];
typedef std::int64_t ads_name[2];
typedef ads_real ads_matrix[4][4];
typedef ads_real* ads_pointp;
typedef std::int64_t* ads_namep;

// Result codes of the editor functions.
#define RTNORM 5100
#define RTNONE 5000
#define RTERROR (-5001)
#define RTCAN (-5002)
#define RTREJ (-5003)
#define RTFAIL (-5004)
#define RTKWORD (-5005)
#define RTINPUTTRUNCATED (-5008)

// Value types of result buffers.
#define RTREAL 5001
#define RTPOINT 5002
#define RTSHORT 5003
#define RTANG 5004
#define RTSTR 5005
#define RTENAME 5006
#define RTPICKS 5007
#define RTORINT 5008
#define RT3DPOINT 5009
#define RTLONG 5010
#define RTVOID 5014
#define RTLB 5016
#define RTLE 5017
#define RTDOTE 5018
#define RTNIL 5019
#define RTDXF0 5020
#define RTT 5021
#define RTRESBUF 5023

struct ads_binary {
    short clen;
    char* buf;
};

union ads_u_val {
    ads_real rreal;
    ads_real rpoint[3];
    short rint;
    ACHAR* rstring;
    std::int32_t rlong;
    std::int64_t mnInt64;
    ads_name rlname;
    ads_binary rbinary;
    unsigned char ihandle[8];
};

struct resbuf {
    resbuf* rbnext;
    short restype;
    ads_u_val resval;
};

// Allocation of result buffers: strings held in RTSTR buffers (and in DXF
// string groups) belong to the buffer and are released with it.
resbuf* acutNewRb(int type);
int acutRelRb(resbuf* rb);
// Builds a list from (type, value) pairs ended by 0 or RTNONE; RTDXF0
// stands for DXF group 0 (entity type), stored as restype 0.
resbuf* acutBuildList(int type, ...);
// Copies a string with the host's allocator; release with acutDelString.
int acutNewString(const ACHAR* text, ACHAR*& copy);
void acutDelString(ACHAR*& text);
// Angle from p1 to p2 in the XY plane, in radians.
ads_real acutAngle(const ads_point p1, const ads_point p2);
ads_real acutDistance(const ads_point p1, const ads_point p2);
void acutPolar(const ads_point pt, ads_real angle, ads_real dist, ads_point result);

inline void ads_name_set(const ads_name from, ads_name to) {
    to[0] = from[0];
    to[1] = from[1];
}
inline void ads_name_clear(ads_name name) {
    name[0] = name[1] = 0;
}
inline bool ads_name_nil(const ads_name name) {
    return name[0] == 0 && name[1] == 0;
}
inline bool ads_name_equal(const ads_name a, const ads_name b) {
    return a[0] == b[0] && a[1] == b[1];
}
inline void ads_point_set(const ads_point from, ads_point to) {
    to[0] = from[0];
    to[1] = from[1];
    to[2] = from[2];
}
