// The ids' former home, kept as a name for code that still includes it: they live beside the .rc.
#include "res/resource_ids.h"
