#include "wordlist/list_arena.h"

#include <algorithm>
#include <new>

#if __has_include(<sys/mman.h>)
#include <sys/mman.h>
#endif

namespace {
// The largest blocks are aligned to their size, so that they can be whole large pages.
constexpr std::align_val_t kPageAlignment{2 * 1024 * 1024};
}  // namespace

void CListArena::BlockDeleter::operator()(std::byte* block) const {
    if (pageAligned) {
        ::operator delete[](block, kPageAlignment);
    } else {
        ::operator delete[](block);
    }
}

CListArena::Block CListArena::NewBlock(std::size_t size) {
    if (size < kLargestBlockSize) return Block(new std::byte[size], BlockDeleter{false});
    Block block(static_cast<std::byte*>(::operator new[](size, kPageAlignment)), BlockDeleter{true});
#ifdef MADV_HUGEPAGE
    ::madvise(block.get(), size, MADV_HUGEPAGE);  // a hint; failure is harmless
#endif
    return block;
}

CListArena::~CListArena() { FreeLargePieces(); }

void CListArena::FreeLargePieces() {
    while (large_) {
        LargePiece* next = large_->next;
        ::operator delete(large_, std::align_val_t{kAlignment});
        large_ = next;
    }
}

void CListArena::Clear() {
    FreeLargePieces();
    freePieces_.fill(nullptr);
    if (blocks_.size() > 1) blocks_.erase(blocks_.begin(), blocks_.end() - 1);
    cursor_ = blocks_.empty() ? nullptr : blocks_.back().get();
    blockEnd_ = blocks_.empty() ? nullptr : cursor_ + lastBlockSize_;
    releasing_ = false;
}

void* CListArena::Allocate(std::size_t bytes) {
    if (bytes > kLargestSmall) {
        auto* piece = static_cast<LargePiece*>(::operator new(kLargeHeader + bytes, std::align_val_t{kAlignment}));
        piece->previous = nullptr;
        piece->next = large_;
        if (large_) large_->previous = piece;
        large_ = piece;
        return reinterpret_cast<std::byte*>(piece) + kLargeHeader;
    }
    const std::size_t sizeClass = SizeClass(bytes);
    if (FreePiece* piece = freePieces_[sizeClass]) {
        freePieces_[sizeClass] = piece->next;
        return piece;
    }
    const std::size_t size = (sizeClass + 1) * kGranule;
    if (static_cast<std::size_t>(blockEnd_ - cursor_) < size) {
        // The rest of the old block is too small for this piece; it stays unused.
        blocks_.push_back(NewBlock(nextBlockSize_));
        lastBlockSize_ = nextBlockSize_;
        cursor_ = blocks_.back().get();
        blockEnd_ = cursor_ + nextBlockSize_;
        nextBlockSize_ = std::min(2 * nextBlockSize_, kLargestBlockSize);
    }
    void* piece = cursor_;
    cursor_ += size;
    return piece;
}

void CListArena::Free(void* piece, std::size_t bytes) {
    if (!piece || releasing_) return;
    if (bytes > kLargestSmall) {
        auto* header = reinterpret_cast<LargePiece*>(static_cast<std::byte*>(piece) - kLargeHeader);
        if (header->previous) header->previous->next = header->next;
        else large_ = header->next;
        if (header->next) header->next->previous = header->previous;
        ::operator delete(header, std::align_val_t{kAlignment});
        return;
    }
    const std::size_t sizeClass = SizeClass(bytes);
    auto* freed = static_cast<FreePiece*>(piece);
    freed->next = freePieces_[sizeClass];
    freePieces_[sizeClass] = freed;
}
