// Moved to the foundation, where every program finds it; this name stays
// for sources written before the move.
#pragma once

#include "foundation/MessageFormat.h"
