// tmSort.h -- the engine's in-place sort of pointer arrays (render queue, effect batches).
#pragma once
#include <algorithm>
#include <utility>

// Sorts a[0..count) so that less holds in order: quicksort with a
// median-of-three pivot and a fixed stack of 62 words (the larger part is
// pushed, the smaller continued), ranges of 16 or fewer items left for one
// final insertion pass; should the stack ever fill, the whole array is
// heap-sorted instead. Not stable.
template <class T, class Less>
void tmSortPointers(T** a, int count, Less less) {
    if (count < 2) return;
    int stack[62];
    int sp = 0;
    int lo = 0, hi = count - 1;
    for (;;) {
        if (hi - lo >= 16) {
            if (sp >= 62) {
                std::make_heap(a, a + count, less);
                std::sort_heap(a, a + count, less);
                return;
            }
            const int mid = lo + (hi - lo) / 2;
            if (less(a[mid], a[lo])) std::swap(a[mid], a[lo]);
            if (less(a[hi], a[lo])) std::swap(a[hi], a[lo]);
            if (less(a[hi], a[mid])) std::swap(a[hi], a[mid]);
            T* pivot = a[mid];
            int i = lo, j = hi;
            while (i <= j) {
                while (less(a[i], pivot)) ++i;
                while (less(pivot, a[j])) --j;
                if (i <= j) std::swap(a[i++], a[j--]);
            }
            if (j - lo < hi - i) {
                stack[sp++] = i;
                stack[sp++] = hi;
                hi = j;
            } else {
                stack[sp++] = lo;
                stack[sp++] = j;
                lo = i;
            }
            continue;
        }
        if (sp == 0) break;
        hi = stack[--sp];
        lo = stack[--sp];
    }
    for (int k = 1; k < count; ++k) {
        T* moving = a[k];
        int m = k;
        for (; m > 0 && less(moving, a[m - 1]); --m) a[m] = a[m - 1];
        a[m] = moving;
    }
}
