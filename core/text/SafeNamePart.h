#pragma once
#include <cstddef>
#include <string>

// Text from outside (a server's order number, a typed account number) made
// safe as part of a file name: separators, "..", control characters and the
// characters Windows forbids become '_', and it is cut to maxLength. Letters,
// digits and single dots or dashes stay as they are.
std::string SafeNamePart(const std::string& text, size_t maxLength);
