#include "firmware/MemoryImage.h"

#include <algorithm>
#include <cstring>

// 64 KB of bytes with a flag per byte that says whether it was written. Bytes never written
// stay zero, so two chunks are equal exactly when both arrays compare equal.
struct MemoryImage::Chunk {
    static constexpr size_t kSize = size_t{1} << kChunkBits;
    uint8_t data[kSize];
    uint8_t present[kSize];
};

namespace {
constexpr size_t kChunkCount = size_t{1} << 16;
}

MemoryImage::MemoryImage() : chunks_(kChunkCount) {}
MemoryImage::MemoryImage(MemoryImage&&) noexcept = default;
MemoryImage& MemoryImage::operator=(MemoryImage&&) noexcept = default;
MemoryImage::~MemoryImage() = default;

MemoryImage::Chunk* MemoryImage::ChunkFor(uint32_t address)
{
    std::unique_ptr<Chunk>& chunk = chunks_[address >> kChunkBits];
    if (!chunk) chunk = std::make_unique<Chunk>(); // value-initialised: all zero
    return chunk.get();
}

const MemoryImage::Chunk* MemoryImage::ChunkAt(uint32_t address) const
{
    return chunks_[address >> kChunkBits].get();
}

void MemoryImage::Write(uint32_t address, const uint8_t* bytes, size_t size)
{
    size = std::min<uint64_t>(size, uint64_t{0x100000000} - address);
    while (size > 0) {
        Chunk* chunk = ChunkFor(address);
        const size_t at = address & (Chunk::kSize - 1);
        const size_t part = std::min(size, Chunk::kSize - at);
        std::memcpy(chunk->data + at, bytes, part);
        std::memset(chunk->present + at, 1, part);
        bytes += part;
        size -= part;
        address += static_cast<uint32_t>(part);
    }
}

std::optional<uint8_t> MemoryImage::At(uint32_t address) const
{
    const Chunk* chunk = ChunkAt(address);
    const size_t at = address & (Chunk::kSize - 1);
    if (!chunk || !chunk->present[at]) return std::nullopt;
    return chunk->data[at];
}

size_t MemoryImage::Read(uint32_t address, uint8_t* into, size_t size) const
{
    size_t held = 0;
    for (size_t k = 0; k < size; ++k) {
        const std::optional<uint8_t> byte = At(static_cast<uint32_t>(address + k));
        into[k] = byte.value_or(0);
        held += byte.has_value();
    }
    return held;
}

size_t MemoryImage::ByteCount() const
{
    size_t count = 0;
    for (const auto& chunk : chunks_)
        if (chunk) count += static_cast<size_t>(std::count(chunk->present, chunk->present + Chunk::kSize, 1));
    return count;
}

void MemoryImage::ForEachDifference(const MemoryImage& other, const DifferenceVisitor& visit) const
{
    static const Chunk kEmpty{};
    for (size_t index = 0; index < kChunkCount; ++index) {
        const Chunk* mine = chunks_[index].get();
        const Chunk* theirs = other.chunks_[index].get();
        if (!mine && !theirs) continue;
        if (!mine) mine = &kEmpty;
        if (!theirs) theirs = &kEmpty;
        if (std::memcmp(mine, theirs, sizeof(Chunk)) == 0) continue;
        for (size_t at = 0; at < Chunk::kSize; ++at) {
            if (mine->present[at] == theirs->present[at] && mine->data[at] == theirs->data[at]) continue;
            const auto address = static_cast<uint32_t>((index << kChunkBits) | at);
            const auto byte = [at](const Chunk* c) {
                return c->present[at] ? std::optional<uint8_t>(c->data[at]) : std::nullopt;
            };
            if (!visit(address, byte(mine), byte(theirs))) return;
        }
    }
}
