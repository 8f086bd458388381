#pragma once
#include <windows.h>

// Loads a DLL of the system by its full path in the system folder. Loaded by
// name alone, the search would take a file of that name from the program's or
// the current folder first, and run whatever it holds.
HMODULE LoadSystemLibrary(const char* fileName);
