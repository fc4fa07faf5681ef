// A tiny, fully specified random generator for test inputs: the same sequence on every platform and
// compiler, unlike the standard distributions.
#pragma once

#include <cstdint>

namespace skin::test {

class TestRandom { // xorshift32
  public:
    explicit TestRandom(std::uint32_t seed) : state_(seed ? seed : 1) {}
    std::uint32_t Next() {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        return state_;
    }
    std::uint32_t Below(std::uint32_t bound) { return Next() % bound; }

  private:
    std::uint32_t state_;
};

} // namespace skin::test
