#include "framework/state_hash.h"

namespace {

std::uint32_t RotateLeft(std::uint32_t value, int bits) {
    return (value << bits) | (value >> (32 - bits));
}

}  // namespace

// Each number is stirred in as one 32-bit block, and the value is finished with an avalanche
// so that neighbouring states give unrelated checksums.
void StateHash::Add(std::int32_t value) {
    std::uint32_t block = static_cast<std::uint32_t>(value);
    block *= 0xcc9e2d51u;
    block = RotateLeft(block, 15);
    block *= 0x1b873593u;
    hash ^= block;
    hash = RotateLeft(hash, 13);
    hash = hash * 5 + 0xe6546b64u;
    ++count;
}

std::uint32_t StateHash::Value() const {
    std::uint32_t value = hash ^ (count * 4);
    value ^= value >> 16;
    value *= 0x85ebca6bu;
    value ^= value >> 13;
    value *= 0xc2b2ae35u;
    value ^= value >> 16;
    return value;
}
