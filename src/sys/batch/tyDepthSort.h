// tyDepthSort.h -- ascending sort of piece pointers by depth, shared by the effect batches.
#pragma once
#include "sys/base/tmSort.h"

// Sorts pointers so that depthOf(p) ascends, with the engine's pointer sort.
template <class T, class DepthOf>
void tyDepthSort(T** a, int count, DepthOf depthOf) {
    tmSortPointers(a, count, [&](const T* x, const T* y) { return depthOf(x) < depthOf(y); });
}
