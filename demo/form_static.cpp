// The demonstration form "static".
#include "demo.h"

void DemoStaticFormOpen() {}
