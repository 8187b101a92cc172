#pragma once

// Stand-in services for tests and for hosts that drive the control without a
// window: message boxes answered from a script, and a fixed date.
#include "zelt/platform/FixedClock.h"
#include "zelt/platform/MemoryEventLog.h"
#include "zelt/view/ScriptedMessageBoxes.h"
