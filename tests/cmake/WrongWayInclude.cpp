// Compiled only by its test, as an engine source: the include below must be refused.
#include "engine/LiveState.h"
#include "files/LogFile.h"
