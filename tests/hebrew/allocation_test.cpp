// Reordering and the drawing text codec keep their working storage from
// call to call: once a caller has worked on its longest text, more texts of
// any length up to it allocate nothing.  (That reused storage gives the
// same results as new storage is shown by the comparison with the
// reference, which runs thousands of lines through the thread's storage.)
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "hebrew/codec/drawing_text_codec.h"
#include "hebrew/reorder.h"
#include "tests/hebrew/counting_allocator.h"
#include "tests/hebrew/random_text.h"
#include "tests/hebrew/reference_reorder.h"
#include "tests/hebrew/text_helpers.h"

namespace tarsil::hebrew {
namespace {

using tarsil::testing::AllocationCount;
using tarsil::testing::RefuseAllocations;

using reference::Operation;
constexpr Operation kOperations[] = {Operation::kLogicalToVisual, Operation::kMasked,
                                     Operation::kVisualToLogical};

// One text with its mask, and room for the results, made before counting.
struct Case {
    std::wstring text;
    std::vector<unsigned char> mask;
    std::vector<wchar_t> out;
    std::vector<std::uint32_t> map;
};

Case MakeCase(std::mt19937& rng, std::size_t length) {
    const std::string mask = hebrew::testing::RandomMask(rng, length);
    return {hebrew::testing::Wide(hebrew::testing::RandomLine(rng, length)),
            {mask.begin(), mask.end()},
            std::vector<wchar_t>(length + 1),
            std::vector<std::uint32_t>(length + 1)};
}

// Runs one operation; with a null workspace the thread's own is used.
std::int32_t Reorder(Operation op, Case& c, int ltr, ReorderWorkspace* ws, bool map = true) {
    const wchar_t* text = c.text.c_str();
    const std::size_t n = c.text.size();
    wchar_t* out = c.out.data();
    std::uint32_t* m = map ? c.map.data() : nullptr;
    const unsigned char* mask = c.mask.data();
    switch (op) {
        case Operation::kLogicalToVisual:
            return ws ? LogicalToVisual(text, n, out, m, ltr, *ws)
                      : LogicalToVisual(text, n, out, m, ltr);
        case Operation::kMasked:
            return ws ? LogicalToVisualMasked(text, n, out, m, ltr, mask, *ws)
                      : LogicalToVisualMasked(text, n, out, m, ltr, mask);
        case Operation::kVisualToLogical:
            return ws ? VisualToLogical(text, n, out, m, ltr, *ws)
                      : VisualToLogical(text, n, out, m, ltr);
    }
    return 0;
}

// Lines of every size the engine treats differently: on the stack, one
// piece, several pieces; the longest comes first and warms the storage.
std::vector<Case> MixedCases() {
    std::mt19937 rng(862);
    std::vector<Case> cases;
    for (std::size_t length : {40000, 3, 80, 256, 257, 1024, 9000, 20000, 39999})
        cases.push_back(MakeCase(rng, length));
    return cases;
}

// With the thread's workspace, warmed by the longest line alone; then with
// the caller's, beside the codec, whose own buffers are kept per thread.
TEST(Storage, NoAllocationOnceWarmed) {
    const std::vector<unsigned char> shortMask(10, 2);  // padded with 1 by the codec
    for (const bool own : {false, true}) {
        SCOPED_TRACE(own ? "caller's workspace and the codec" : "thread's workspace");
        std::vector<Case> cases = MixedCases();
        ReorderWorkspace workspace;
        ReorderWorkspace* ws = own ? &workspace : nullptr;
        std::wstring work;
        work.reserve(cases.front().text.size() + 1);
        auto codec = [&] {
            for (const Case& c : cases) {
                for (FontType type : {FontType::HebrewNormal, FontType::Hebrew7Bit, FontType::D2w,
                                      FontType::Unknown}) {
                    work = c.text;
                    EncodeDrawingText(work, type, shortMask);
                    DecodeDrawingText(work, type);
                }
                for (const wchar_t* target : {L"w", L"d"}) {
                    work = c.text;
                    ConvertForTarget(work, target, 0);
                }
            }
        };
        for (Operation op : kOperations) ASSERT_EQ(Reorder(op, cases.front(), 0, ws), 1);
        if (own) codec();
        const AllocationCount count;
        for (int round = 0; round < 3; ++round) {
            for (Case& c : cases)
                for (Operation op : kOperations)
                    for (int ltr : {0, 1}) ASSERT_EQ(Reorder(op, c, ltr, ws, round != 1), 1);
            if (own) codec();
        }
        EXPECT_EQ(count(), 0);
    }
}

// When storage cannot be had the call fails and writes nothing, and a
// workspace keeps what it had.
TEST(ReorderStorage, RefusedStorageFailsWithoutWriting) {
    std::mt19937 rng(7);
    // Longer than what the other tests leave in the thread's workspace.
    Case c = MakeCase(rng, 100000), shortLine = MakeCase(rng, 300);
    ReorderWorkspace workspace;
    ASSERT_EQ(Reorder(Operation::kLogicalToVisual, shortLine, 0, &workspace), 1);
    const std::size_t kept = workspace.Capacity();
    std::fill(c.out.begin(), c.out.end(), L'#');
    std::vector<std::int32_t> refused;  // room made before allocations fail
    refused.reserve(8);
    std::int32_t withKeptStorage = 0;
    {
        const RefuseAllocations refuse;
        for (Operation op : kOperations) {
            refused.push_back(Reorder(op, c, 0, &workspace));
            refused.push_back(Reorder(op, c, 1, nullptr));
        }
        withKeptStorage = Reorder(Operation::kLogicalToVisual, shortLine, 0, &workspace);
    }
    EXPECT_EQ(refused, std::vector<std::int32_t>(6, 0));
    EXPECT_EQ(withKeptStorage, 1);
    EXPECT_EQ(c.out, std::vector<wchar_t>(c.out.size(), L'#'));
    EXPECT_EQ(workspace.Capacity(), kept);
    EXPECT_EQ(Reorder(Operation::kLogicalToVisual, c, 0, &workspace), 1);
}

// A thread does not hold on to the storage of a line longer than 4 Mi
// characters: the next long line allocates again.
TEST(ReorderStorage, ThreadGivesBackStorageOfHugeLines) {
    std::mt19937 rng(99);
    Case huge = MakeCase(rng, (std::size_t{1} << 22) + 1), line = MakeCase(rng, 2000);
    ASSERT_EQ(Reorder(Operation::kLogicalToVisual, line, 0, nullptr, false), 1);
    AllocationCount count;
    ASSERT_EQ(Reorder(Operation::kLogicalToVisual, line, 0, nullptr, false), 1);
    EXPECT_EQ(count(), 0);
    ASSERT_EQ(Reorder(Operation::kLogicalToVisual, huge, 0, nullptr, false), 1);
    const long afterHuge = count();
    ASSERT_EQ(Reorder(Operation::kLogicalToVisual, line, 0, nullptr, false), 1);
    EXPECT_EQ(count(), afterHuge + 1);
}

}  // namespace
}  // namespace tarsil::hebrew
