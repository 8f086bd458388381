#pragma once
#include <string>

// A string resource of the program; empty when it doesn't exist.
std::string LoadResourceString(unsigned id);
