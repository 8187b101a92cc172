#pragma once

// The ZeltOrderedItems library: the OrderedItems control and what a host
// needs to embed it. Stand-in services for tests are in <zelt/StandIns.h>.
#include "zelt/Error.h"
#include "zelt/ExportError.h"
#include "zelt/InputError.h"
#include "zelt/NotImplementedError.h"
#include "zelt/ServiceError.h"
#include "zelt/Version.h"
#include "zelt/control/OrderedItems.h"
#include "zelt/text/NumberText.h"
#include "zelt/text/RuntimeError.h"
