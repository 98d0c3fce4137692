#pragma once

#include <cmath>

// Plain geometry values of the host: points and vectors in world or user
// coordinates.  Only what the database and the editors need.

class AcGeVector3d {
  public:
    double x = 0, y = 0, z = 0;
    AcGeVector3d() = default;
    AcGeVector3d(double ax, double ay, double az) : x(ax), y(ay), z(az) {}
    double length() const { return std::sqrt(x * x + y * y + z * z); }
    AcGeVector3d operator*(double s) const { return {x * s, y * s, z * s}; }
    AcGeVector3d operator+(const AcGeVector3d& v) const { return {x + v.x, y + v.y, z + v.z}; }
    AcGeVector3d operator-(const AcGeVector3d& v) const { return {x - v.x, y - v.y, z - v.z}; }
    bool operator==(const AcGeVector3d&) const = default;
    static const AcGeVector3d kXAxis, kYAxis, kZAxis;
};

class AcGePoint3d {
  public:
    double x = 0, y = 0, z = 0;
    AcGePoint3d() = default;
    AcGePoint3d(double ax, double ay, double az) : x(ax), y(ay), z(az) {}
    AcGePoint3d operator+(const AcGeVector3d& v) const { return {x + v.x, y + v.y, z + v.z}; }
    AcGePoint3d operator-(const AcGeVector3d& v) const { return {x - v.x, y - v.y, z - v.z}; }
    AcGeVector3d operator-(const AcGePoint3d& p) const { return {x - p.x, y - p.y, z - p.z}; }
    double distanceTo(const AcGePoint3d& p) const { return (*this - p).length(); }
    bool isEqualTo(const AcGePoint3d& p, double tol = 1e-10) const { return distanceTo(p) <= tol; }
    bool operator==(const AcGePoint3d&) const = default;
    static const AcGePoint3d kOrigin;
};

class AcGePoint2d {
  public:
    double x = 0, y = 0;
    AcGePoint2d() = default;
    AcGePoint2d(double ax, double ay) : x(ax), y(ay) {}
    bool operator==(const AcGePoint2d&) const = default;
};
