#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

inline namespace zz {

// The memory a firmware file describes: which addresses of the 32-bit address space hold a
// byte, and which byte. Records are written in file order, so a later write overwrites an
// earlier one, as a programmer writes them.
class MemoryImage {
public:
    MemoryImage();
    MemoryImage(MemoryImage&&) noexcept;
    MemoryImage& operator=(MemoryImage&&) noexcept;
    ~MemoryImage();

    // Bytes that would run past the last address are dropped.
    void Write(uint32_t address, const uint8_t* bytes, size_t size);

    // The byte at the address; none when nothing was written there.
    std::optional<uint8_t> At(uint32_t address) const;
    // Copies `size` bytes from the address into `into` (zero where nothing was written) and
    // returns how many of them were written.
    size_t Read(uint32_t address, uint8_t* into, size_t size) const;
    // The number of addresses that hold a byte.
    size_t ByteCount() const;

    // Calls `visit` for every address, in ascending order, where this image and `other` differ
    // (a byte in one and not in the other counts), until `visit` returns false.
    using DifferenceVisitor =
        std::function<bool(uint32_t address, std::optional<uint8_t> mine, std::optional<uint8_t> theirs)>;
    void ForEachDifference(const MemoryImage& other, const DifferenceVisitor& visit) const;

private:
    struct Chunk;
    struct ChunkFree {
        void operator()(Chunk* chunk) const;
    };
    using ChunkPointer = std::unique_ptr<Chunk, ChunkFree>;
    static constexpr unsigned kChunkBits = 16;
    Chunk* ChunkFor(uint32_t address);
    const Chunk* ChunkAt(uint32_t address) const;

    // The chunks that hold a byte, by ascending index (address >> kChunkBits). A firmware
    // writes its records mostly in address order, so the last chunk used is tried first.
    std::vector<std::pair<uint32_t, ChunkPointer>> chunks_;
    size_t last_ = 0;
};

} // namespace zz
