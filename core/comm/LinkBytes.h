#pragma once
#include <cstdint>

// Control characters of the link.
enum LinkByte : uint8_t {
    kSTX = 0x02,
    kETX = 0x03,
    kEOT = 0x04,
    kENQ = 0x05,
    kDLE = 0x10,
    kNAK = 0x15,
    kETB = 0x17,
    kAck0Char = '0', // DLE "0": even acknowledgement, also the grant of a bid
    kAck1Char = '1', // DLE "1": odd acknowledgement
    kWackChar = ';', // DLE ";": wait, then ask again
};
