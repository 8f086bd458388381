#pragma once
#include <cstdint>

// Texts for telephony codes: result codes for the user, call states and their
// details for the connection status, the rest for diagnostic lines.
namespace Tapi {

const char* ErrorText(uint32_t code);
const char* MessageName(uint32_t message);
const char* CallStateName(uint32_t state);
const char* CallStateDetail(uint32_t state, uint32_t detail);
const char* PrivilegeName(uint32_t privilege);

} // namespace Tapi
