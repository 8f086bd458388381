#pragma once

// Commands of the program's set-up, run instead of the program itself:
//   Quillbox.exe /setkey <key>   stores the data-file key (at most 255 characters)
//   Quillbox.exe /grantusers     lets the Users group read and write the settings key
// True when the command line held one; exitCode is then 0 on success, else 1.
bool RunSetupCommand(const char* commandLine, int& exitCode);
