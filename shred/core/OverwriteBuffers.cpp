#include "shred/core/OverwriteBuffers.h"

#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <ctime>

namespace scw {

const PageSource kSystemPages{
    [](size_t bytes) { return ::VirtualAlloc(nullptr, bytes, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE); },
    [](void* pages) { ::VirtualFree(pages, 0, MEM_RELEASE); }};

OverwriteBuffers::~OverwriteBuffers() { Release(); }

bool OverwriteBuffers::Prepare(int passes) {
    Release();
    const bool patterns = passes > 1;
    for (int i = 0; i < 3; ++i) {
        if (i > 0 && !patterns) break;
        blocks_[i] = static_cast<unsigned char*>(source_.allocate(kBlockSize));
        if (!blocks_[i]) {
            Release();
            return false;
        }
    }
    std::srand(static_cast<unsigned>(std::time(nullptr)));
    for (size_t i = 0; i < kBlockSize; ++i) blocks_[0][i] = static_cast<unsigned char>(std::rand() & 0xFF);
    // Fresh pages are zero already; the ones are 0x01, not 0xFF.
    if (patterns) std::memset(blocks_[2], 0x01, kBlockSize);
    return true;
}

void OverwriteBuffers::Release() {
    for (unsigned char*& block : blocks_) {
        if (block) source_.release(block);
        block = nullptr;
    }
}

const unsigned char* OverwriteBuffers::Block(BlockKind kind) const {
    switch (kind) {
    case BlockKind::Random: return blocks_[0];
    case BlockKind::Zero: return blocks_[1];
    case BlockKind::One: return blocks_[2];
    }
    return nullptr;
}

std::vector<BlockKind> PassPlan(int passes) {
    using enum BlockKind;
    switch (passes) {
    case 1: return {Random};
    case 3: return {Zero, One, Random};
    case 7: return {Random, Zero, One, Random, Zero, One, Random};
    default: return {};
    }
}

bool IsShredMethod(int passes) { return passes == 1 || passes == 3 || passes == 7; }

}  // namespace scw
