#include "app/TestHooks.h"

void StartTestHooks() {}
