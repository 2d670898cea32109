#pragma once
// The program's one pseudo-random generator: s = s * 214013 + 2531011 (mod 2^32),
// each draw yields (s >> 16) & 0x7FFF.
#include <cstdint>

class CRandom {
public:
    void Seed(std::uint32_t seed) { state_ = seed; }
    int Next() {
        state_ = state_ * 214013u + 2531011u;
        return static_cast<int>((state_ >> 16) & 0x7FFF);
    }
    std::uint32_t GetState() const { return state_; }

private:
    std::uint32_t state_ = 1;
};

// The generator shared by the whole program: seeded once at start-up, drawn by the run
// drawing and the placing of choices.
CRandom& ProgramRandom();
