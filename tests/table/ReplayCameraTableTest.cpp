// Replay camera tables: invariants of every course's lists.
#include <gtest/gtest.h>

#include "table/ReplayCameraTable.h"

