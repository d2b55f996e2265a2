// The demonstration form "edit".
#include "demo.h"

void DemoEditFormOpen() {}
