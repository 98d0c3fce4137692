#pragma once

// Open drawings: each document holds one database; one of them is current.
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "cadhost/db/acdb.h"
#include "cadhost/editor/sysvars.h"
#include "cadhost/rx/rxobject.h"

class AcDbDatabase;
typedef struct HINSTANCE__* HINSTANCE;

namespace AcAp {
enum DocLockMode {
    kNone = 0x00,
    kAutoWrite = 0x01,
    kNotLocked = 0x02,
    kWrite = 0x04,
    kProtectedAutoWrite = 0x14,
    kRead = 0x20,
    kXWrite = 0x40,
};
}  // namespace AcAp

class AcApDocument : public AcRxObject {
  public:
    AcApDocument(std::unique_ptr<AcDbDatabase> database, std::filesystem::path file);
    ~AcApDocument() override;
    static AcRxClass* desc();
    AcRxClass* isA() const override;

    const ACHAR* fileName() const { return fileName_.c_str(); }
    const ACHAR* docTitle() const { return title_.c_str(); }
    AcDbDatabase* database() const { return database_.get(); }
    // Unique for the session: a window tells a drawing opened anew from one
    // that took the memory of a closed one.
    std::uint64_t serial() const { return serial_; }
    AcAp::DocLockMode myLockMode() const;
    int lockCount() const { return static_cast<int>(locks_.size()); }
    bool isQuiescent() const;

    // Host side: the file name.
    void setFile(const std::filesystem::path& file);
    const std::filesystem::path& file() const { return file_; }
    std::vector<AcAp::DocLockMode>& lockStack() { return locks_; }
    // Whether the drawing has a file of its own (opened or saved once).
    bool named() const { return named_; }
    void setNamed(bool named) { named_ = named; }
    // Names of the commands whose changes form the drawing's undo groups.
    std::vector<std::wstring>& undoNames() { return undoNames_; }
    // Whether the drawing (its variables included) may have changed since
    // it was opened, made or last saved: quitting would lose that.
    bool isModified() const;
    void markSaved();

  private:
    std::unique_ptr<AcDbDatabase> database_;
    std::filesystem::path file_;
    std::wstring fileName_, title_;
    std::vector<AcAp::DocLockMode> locks_;
    std::vector<std::wstring> undoNames_;
    bool named_ = false;
    std::uint64_t savedRevision_ = 0;
    std::uint64_t serial_ = 0;
};

class AcApDocManager : public AcRxObject {
  public:
    static AcRxClass* desc();
    AcRxClass* isA() const override;

    AcApDocument* curDocument() const;
    AcApDocument* mdiActiveDocument() const { return curDocument(); }
    int documentCount() const;
    AcApDocument* document(int index) const;
    Acad::ErrorStatus setCurDocument(AcApDocument* doc, AcAp::DocLockMode mode = AcAp::kNone,
                                     bool activate = false);
    Acad::ErrorStatus activateDocument(AcApDocument* doc, bool bPassScript = false);
    // Locks for the caller's changes; every lock is matched by one unlock.
    Acad::ErrorStatus lockDocument(AcApDocument* doc, AcAp::DocLockMode mode = AcAp::kWrite,
                                   const ACHAR* globalCmdName = nullptr,
                                   const ACHAR* localCmdName = nullptr, bool prompt = true);
    Acad::ErrorStatus unlockDocument(AcApDocument* doc);
    // Makes a module's resources current; pops restore the ones before.
    void pushResourceHandle(HINSTANCE handle);
    void popResourceHandle();
    HINSTANCE currentResourceHandle() const;
    int resourceDepth() const;

    // A new empty drawing, or one read from a DXF file; it becomes current
    // and each module gets its drawing-loaded message.  Null on failure
    // (with the reason on the command line).
    AcApDocument* newDocument();
    AcApDocument* openDocument(const std::filesystem::path& file);
    Acad::ErrorStatus closeDocument(AcApDocument* doc);
    void closeAll();
};

AcApDocManager* acDocManagerPtr();
#define acDocManager acDocManagerPtr()
inline AcApDocument* curDoc() {
    return acDocManager->curDocument();
}

namespace cadhost {
// Runs fn with each open document current in turn, then restores the current one.
void forEachOpenDocument(const std::function<void()>& fn);
// Saves the drawing; on failure the reason is on the command line.
Acad::ErrorStatus saveDocument(AcApDocument* doc, const std::filesystem::path& file);
}  // namespace cadhost
