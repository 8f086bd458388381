#pragma once
#include <cstdint>
#include <random>

#include "comm/LinkPorts.h"

// The random source of a real link: a generator seeded once.
class CSeededRandom : public IRandomSource {
public:
    explicit CSeededRandom(uint32_t seed) : m_engine(seed) {}
    unsigned Below(unsigned bound) override;

private:
    std::minstd_rand m_engine;
};
