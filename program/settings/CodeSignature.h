#pragma once
#include <string>

#include "update/UpdateSearch.h"

// The Authenticode signature of a program file, checked by Windows
// (WinVerifyTrust) and its signer's name read from the signer certificate.
// wintrust and crypt32 are loaded from the system folder at run time: a DLL of
// that name that someone put beside the program is never loaded. Without
// them the file counts as unsigned.
UpdateSignature CheckCodeSignature(const std::string& path, std::string* signer);
