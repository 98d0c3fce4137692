#pragma once

namespace tarsil::host {

// Locks the host's current document for write (no command names,
// prompting allowed) for the life of the object.
class CurrentDocumentLock {
  public:
    CurrentDocumentLock();
    ~CurrentDocumentLock();
    CurrentDocumentLock(const CurrentDocumentLock&) = delete;
    CurrentDocumentLock& operator=(const CurrentDocumentLock&) = delete;

    bool Locked() const { return document_ != nullptr; }

  private:
    void* document_ = nullptr;
};

// Empties the host's pick-first selection.
void ClearPickFirstSelection();

}  // namespace tarsil::host
