#pragma once

#include <compare>
#include <cstddef>
#include <cstdint>
#include <functional>

#include "cadhost/db/acdb.h"

class AcDbDatabase;
// Opaque per-object slot of a database; an object id points to it.
struct AcDbStub;

// The persistent handle of an object: the hexadecimal number of group 5.
class AcDbHandle {
  public:
    AcDbHandle() = default;
    explicit AcDbHandle(std::uint64_t value) : value_(value) {}
    std::uint64_t value() const { return value_; }
    bool isNull() const { return value_ == 0; }
    // Upper-case hexadecimal, as written to the file; buffer of at least 17.
    void getIntoAsciiBuffer(char* buffer) const;
    auto operator<=>(const AcDbHandle&) const = default;

  private:
    std::uint64_t value_ = 0;
};

// Names one object of one database for as long as the database lives.
class AcDbObjectId {
  public:
    AcDbObjectId() = default;
    explicit AcDbObjectId(AcDbStub* stub) : stub_(stub) {}
    static const AcDbObjectId kNull;

    bool isNull() const { return stub_ == nullptr; }
    void setNull() { stub_ = nullptr; }
    // True for an id whose object exists (appended and not undone).
    bool isValid() const;
    bool isErased() const;
    AcDbHandle handle() const;
    AcDbDatabase* database() const;
    AcDbStub* stub() const { return stub_; }

    bool operator==(const AcDbObjectId& o) const { return stub_ == o.stub_; }
    bool operator<(const AcDbObjectId& o) const { return std::less<AcDbStub*>()(stub_, o.stub_); }

  private:
    AcDbStub* stub_ = nullptr;
};

template <>
struct std::hash<AcDbObjectId> {
    std::size_t operator()(const AcDbObjectId& id) const noexcept {
        return std::hash<AcDbStub*>()(id.stub());
    }
};
