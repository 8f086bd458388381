#pragma once

// The supplier's support line, given at the end of the crash message and of
// the give-up text of a sending.
constexpr const char* kSupportTelephone = "01632 960 418";
