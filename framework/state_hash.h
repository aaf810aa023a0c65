#pragma once

#include <cstdint>

// A checksum of a game's state, fed one whole number at a time: the same numbers in the same
// order give the same value on every machine, whatever the compiler lays out in memory, and a
// change of any one bit of any number changes about half the bits of the value.
class StateHash {
public:
    void Add(std::int32_t value);
    void Add(bool value) { Add(static_cast<std::int32_t>(value)); }
    std::uint32_t Value() const;

private:
    std::uint32_t hash = 0x9747b28cu;
    std::uint32_t count = 0;
};
