#pragma once
#include <windows.h>

// Loads a DLL of the system by its full path in the system folder. Loaded by
// name alone, the search would take a file of that name from the program's or
// the current folder first, and run whatever it holds.
HMODULE LoadSystemLibrary(const char* fileName);

// A function of a loaded DLL by name, as a pointer of its own type; null when
// the library or the function is missing. The cast goes through the generic
// function type so that it converts without a warning.
template <typename FunctionPointer>
FunctionPointer LibraryFunction(HMODULE library, const char* name)
{
    return library ? reinterpret_cast<FunctionPointer>(reinterpret_cast<void (*)()>(GetProcAddress(library, name)))
                   : nullptr;
}
