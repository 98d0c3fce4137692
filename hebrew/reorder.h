// Reordering of one line between logical order (as typed and read) and
// visual order (as a left-to-right renderer draws it).
//
// The text is a NUL-terminated wide string in the Windows Hebrew layout, one
// character per byte (letters U+00E0..U+00FA).  With ltrParagraph != 0 the
// paragraph is left to right and the output lists the visual line from its
// left end; with ltrParagraph == 0 it is right to left and the output lists
// the visual line from its RIGHT end (position 0 is the rightmost glyph),
// with the mirrored brackets "()[]{}<>" of right-to-left runs swapped.
//
// All three operations:
//   - process the first n characters, where n is cut to the text's own
//     length: a NUL, or a character above U+00FF (which cannot be narrowed),
//     ends the text;
//   - write n characters and a NUL to out (at least n + 1 characters); out
//     may be the same buffer as text;
//   - fill indexMap, when it is not null, with n + 1 entries: entry p is the
//     logical index of the character at output position p, entry n is n;
//   - return 1 on success.  An empty text or n == 0 is a success: out gets
//     just the NUL and indexMap the single entry 0.
//   - return 0, writing nothing, when text or out is null or when the
//     working storage cannot be allocated.
//   - run in time linear in n.
//
// Working storage: lines of up to 256 characters are worked on the stack.
// Longer lines use a workspace: the caller's, passed as the last argument,
// or else one kept by the calling thread.  A workspace keeps its storage
// from call to call, so reordering many lines allocates only when a line is
// longer than any before; nothing in it is cleared before use.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

namespace tarsil::hebrew {

// The storage that one reordering call works in.  One workspace serves one
// call at a time; each thread has its own for the calls that pass none.
class ReorderWorkspace {
  public:
    // The longest line it serves without allocating.
    std::size_t Capacity() const { return capacity_; }
    // Storage for a line of n characters, grown by half again at least;
    // null when it cannot be allocated (the old storage is kept then).
    std::uint8_t* Reserve(std::size_t n);
    // Gives the storage back.
    void Release();

  private:
    std::unique_ptr<std::uint8_t[]> storage_;
    std::size_t capacity_ = 0;
};

// Direction mask values, one per character of the text.
inline constexpr unsigned char kMaskOther = 1;
inline constexpr unsigned char kMaskHebrew = 2;

std::int32_t LogicalToVisual(const wchar_t* text, std::size_t n, wchar_t* out,
                             std::uint32_t* indexMap, std::int32_t ltrParagraph);
std::int32_t LogicalToVisual(const wchar_t* text, std::size_t n, wchar_t* out,
                             std::uint32_t* indexMap, std::int32_t ltrParagraph,
                             ReorderWorkspace& workspace);

// As LogicalToVisual, but neutral characters typed as Hebrew (mask byte 2)
// stay right to left.  directionMask holds at least n bytes; a null mask
// counts as all 1 (nothing typed as Hebrew).
std::int32_t LogicalToVisualMasked(const wchar_t* text, std::size_t n, wchar_t* out,
                                   std::uint32_t* indexMap, std::int32_t ltrParagraph,
                                   const unsigned char* directionMask);
std::int32_t LogicalToVisualMasked(const wchar_t* text, std::size_t n, wchar_t* out,
                                   std::uint32_t* indexMap, std::int32_t ltrParagraph,
                                   const unsigned char* directionMask, ReorderWorkspace& workspace);

// Takes a visual line listed from its right end (that is, a stored visual
// line reversed) and gives the logical line; called with ltrParagraph == 0.
std::int32_t VisualToLogical(const wchar_t* text, std::size_t n, wchar_t* out,
                             std::uint32_t* indexMap, std::int32_t ltrParagraph);
std::int32_t VisualToLogical(const wchar_t* text, std::size_t n, wchar_t* out,
                             std::uint32_t* indexMap, std::int32_t ltrParagraph,
                             ReorderWorkspace& workspace);

}  // namespace tarsil::hebrew
