#pragma once
#include <ctime>
#include <string>

// The part of a program path after its last '\' (the whole path without one).
std::string ProgramFileName(const std::string& path);

// The crash-dump file name for a fault at local time `when`, e.g.
// "Quillbox.exe [2008-07-01 09.15.02] - (v1.6, Jun  6 2008 @ 15.29.01).dmp";
// it never holds a ':', so it is a valid file name.
std::string CrashDumpName(const std::string& programFileName, const std::tm& when);

// The text of the box that tells the user the program must close.
std::string CrashMessageText(const std::string& programFileName);
