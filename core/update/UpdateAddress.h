#pragma once
#include <string>

// The supplier's update download address is handed to the Windows shell,
// which opens a path, a share or a program name as readily as a web page:
// only a plain https address is opened, so the setting can never start a
// program in the pharmacist's session.
bool IsUpdateAddressAccepted(const std::string& address);
