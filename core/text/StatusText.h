#pragma once
#include <string>

// The text of an order line's status code as the server reports it; code 3
// carries the quantity the server did supply ("12 Ordered").
std::string StatusText(int code, int quantity);
