#pragma once

// Hooks that only the test build of the program acts on (QuillboxTest.exe):
// "/fault" on the command line makes the user-interface thread fault once the
// main window runs, to prove the crash guard. The shipped program links stubs.
void StartTestHooks();
