#pragma once
#include <cstdint>

// The status text of a dial-up connection state (RASCONNSTATE).
const char* RasStateName(uint32_t state);
