#include "firmware/MemoryImage.h"

#include <algorithm>
#include <bit>
#include <cstdlib>
#include <cstring>
#include <new>

inline namespace zz {

// 64 KB of bytes and a bit per byte that says whether it was written. Bytes never written stay
// zero, so two chunks are equal exactly when their memory compares equal. Chunks come zeroed
// from calloc, which touches no page that is never written.
struct MemoryImage::Chunk {
    static constexpr size_t kSize = size_t{1} << kChunkBits;
    uint8_t data[kSize];
    uint64_t present[kSize / 64];

    bool Has(size_t at) const { return (present[at / 64] >> (at % 64)) & 1; }
    void Mark(size_t at, size_t count)
    {
        while (count > 0) {
            const size_t bit = at % 64;
            const size_t part = std::min(count, 64 - bit);
            const uint64_t mask = part == 64 ? ~uint64_t{0} : ((uint64_t{1} << part) - 1) << bit;
            present[at / 64] |= mask;
            at += part;
            count -= part;
        }
    }
};

void MemoryImage::ChunkFree::operator()(Chunk* chunk) const
{
    std::free(chunk);
}

MemoryImage::MemoryImage() = default;
MemoryImage::MemoryImage(MemoryImage&&) noexcept = default;
MemoryImage& MemoryImage::operator=(MemoryImage&&) noexcept = default;
MemoryImage::~MemoryImage() = default;

MemoryImage::Chunk* MemoryImage::ChunkFor(uint32_t address)
{
    const uint32_t index = address >> kChunkBits;
    if (last_ < chunks_.size() && chunks_[last_].first == index) return chunks_[last_].second.get();
    auto at = std::lower_bound(chunks_.begin(), chunks_.end(), index,
                               [](const auto& entry, uint32_t wanted) { return entry.first < wanted; });
    if (at == chunks_.end() || at->first != index) {
        auto* memory = static_cast<Chunk*>(std::calloc(1, sizeof(Chunk)));
        if (!memory) throw std::bad_alloc();
        at = chunks_.emplace(at, index, ChunkPointer(memory));
    }
    last_ = static_cast<size_t>(at - chunks_.begin());
    return at->second.get();
}

const MemoryImage::Chunk* MemoryImage::ChunkAt(uint32_t address) const
{
    const uint32_t index = address >> kChunkBits;
    auto at = std::lower_bound(chunks_.begin(), chunks_.end(), index,
                               [](const auto& entry, uint32_t wanted) { return entry.first < wanted; });
    return at != chunks_.end() && at->first == index ? at->second.get() : nullptr;
}

void MemoryImage::Write(uint32_t address, const uint8_t* bytes, size_t size)
{
    size = static_cast<size_t>(std::min<uint64_t>(size, uint64_t{0x100000000} - address));
    while (size > 0) {
        Chunk* chunk = ChunkFor(address);
        const size_t at = address & (Chunk::kSize - 1);
        const size_t part = std::min(size, Chunk::kSize - at);
        std::memcpy(chunk->data + at, bytes, part);
        chunk->Mark(at, part);
        bytes += part;
        size -= part;
        address += static_cast<uint32_t>(part);
    }
}

std::optional<uint8_t> MemoryImage::At(uint32_t address) const
{
    const Chunk* chunk = ChunkAt(address);
    const size_t at = address & (Chunk::kSize - 1);
    if (!chunk || !chunk->Has(at)) return std::nullopt;
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
    for (const auto& [index, chunk] : chunks_)
        for (uint64_t word : chunk->present) count += static_cast<size_t>(std::popcount(word));
    return count;
}

void MemoryImage::ForEachDifference(const MemoryImage& other, const DifferenceVisitor& visit) const
{
    static const Chunk kEmpty{};
    auto mine = chunks_.begin();
    auto theirs = other.chunks_.begin();
    while (mine != chunks_.end() || theirs != other.chunks_.end()) {
        // The two lists in step, by chunk index; a chunk only one side has meets an empty one.
        uint32_t index;
        const Chunk* a = &kEmpty;
        const Chunk* b = &kEmpty;
        if (theirs == other.chunks_.end() || (mine != chunks_.end() && mine->first < theirs->first)) {
            index = mine->first;
            a = (mine++)->second.get();
        } else if (mine == chunks_.end() || theirs->first < mine->first) {
            index = theirs->first;
            b = (theirs++)->second.get();
        } else {
            index = mine->first;
            a = (mine++)->second.get();
            b = (theirs++)->second.get();
        }
        if (std::memcmp(a, b, sizeof(Chunk)) == 0) continue;
        for (size_t at = 0; at < Chunk::kSize; ++at) {
            const bool hasA = a->Has(at), hasB = b->Has(at);
            if (hasA == hasB && a->data[at] == b->data[at]) continue;
            const auto address = static_cast<uint32_t>((size_t{index} << kChunkBits) | at);
            if (!visit(address, hasA ? std::optional<uint8_t>(a->data[at]) : std::nullopt,
                       hasB ? std::optional<uint8_t>(b->data[at]) : std::nullopt))
                return;
        }
    }
}

} // namespace zz
