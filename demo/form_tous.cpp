// The demonstration form "tous".
#include "demo.h"

void DemoTousFormOpen() {}
