#pragma once
// Storage for the questions and texts of one word list. Small pieces are carved from large
// blocks, and a freed piece is kept for the next piece of its size, so that a list edited for
// a long time (texts replaced again and again) grows only as far as its largest state. Large
// pieces are allocated one by one. Everything is released at once when the arena goes: the
// list's parts then skip freeing their pieces one by one.
#include <array>
#include <cstddef>
#include <memory>
#include <vector>

class CListArena {
public:
    static constexpr std::size_t kAlignment = alignof(std::max_align_t);

    CListArena() = default;
    CListArena(const CListArena&) = delete;
    CListArena& operator=(const CListArena&) = delete;
    ~CListArena();

    void* Allocate(std::size_t bytes);            // aligned to kAlignment; bytes may be 0
    void Free(void* piece, std::size_t bytes);    // bytes as allocated; nothing while releasing

    // Frees every piece at once but keeps the latest block for what comes next (a field list
    // emptied for every record). Ends a release.
    void Clear();

    // Set by the owner before it destroys the parts that live here: their frees then do nothing.
    void BeginRelease() { releasing_ = true; }
    bool IsReleasing() const { return releasing_; }

private:
    static constexpr std::size_t kGranule = kAlignment;
    static constexpr std::size_t kLargestSmall = 2048;
    // Blocks double from a size that suits a field list of one record up to the size of a large
    // page, which a large list then gets as whole pages: far fewer page faults while reading.
    static constexpr std::size_t kFirstBlockSize = 4 * 1024;
    static constexpr std::size_t kLargestBlockSize = 2 * 1024 * 1024;

    struct FreePiece {
        FreePiece* next;
    };
    struct LargePiece {  // the header before a large piece
        LargePiece* previous;
        LargePiece* next;
    };
    static constexpr std::size_t kLargeHeader = (sizeof(LargePiece) + kAlignment - 1) / kAlignment * kAlignment;

    void FreeLargePieces();
    static std::size_t SizeClass(std::size_t bytes) { return bytes == 0 ? 0 : (bytes - 1) / kGranule; }

    std::array<FreePiece*, kLargestSmall / kGranule> freePieces_{};
    struct BlockDeleter {
        bool pageAligned;
        void operator()(std::byte* block) const;
    };
    using Block = std::unique_ptr<std::byte[], BlockDeleter>;
    static Block NewBlock(std::size_t size);

    std::vector<Block> blocks_;
    std::byte* cursor_ = nullptr;
    std::byte* blockEnd_ = nullptr;
    std::size_t lastBlockSize_ = 0;
    std::size_t nextBlockSize_ = kFirstBlockSize;
    LargePiece* large_ = nullptr;
    bool releasing_ = false;
};
