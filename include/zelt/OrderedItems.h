#pragma once

// The ZeltOrderedItems library: the OrderedItems control and what a host
// needs to embed it.
#include "zelt/Error.h"
#include "zelt/InputError.h"
#include "zelt/Version.h"
#include "zelt/control/OrderedItems.h"
#include "zelt/text/NumberText.h"
#include "zelt/text/RuntimeError.h"
#include "zelt/view/ScriptedMessageBoxes.h"
