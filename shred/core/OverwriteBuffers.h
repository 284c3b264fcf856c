#pragma once
// The blocks a run overwrites with: 64 KiB each, taken from the page allocator once per run.
// The random block is made once and reused for every random pass of every file.
#include <cstddef>
#include <vector>

namespace scw {

enum class BlockKind { Random, Zero, One };

// Where the blocks' memory comes from: the system's page allocator, or in tests one that runs out.
struct PageSource {
    void* (*allocate)(size_t bytes);  // committed, read-write, zero-filled; null when none is left
    void (*release)(void* pages);
};
extern const PageSource kSystemPages;

class OverwriteBuffers {
public:
    static constexpr size_t kBlockSize = 65536;

    explicit OverwriteBuffers(const PageSource& source = kSystemPages) : source_(source) {}
    ~OverwriteBuffers();
    OverwriteBuffers(const OverwriteBuffers&) = delete;
    OverwriteBuffers& operator=(const OverwriteBuffers&) = delete;

    // Obtains the blocks the method needs (zero and one only for more than one pass) and fills
    // them; false when any block cannot be had (then none is kept).
    bool Prepare(int passes);
    void Release();
    const unsigned char* Block(BlockKind kind) const;

private:
    PageSource source_;
    unsigned char* blocks_[3] = {};
};

// 1 pass: random; 3: zero, one, random; 7: random, then zero, one, random twice.
std::vector<BlockKind> PassPlan(int passes);

// 1, 3 or 7; anything else is not a method.
bool IsShredMethod(int passes);

}  // namespace scw
