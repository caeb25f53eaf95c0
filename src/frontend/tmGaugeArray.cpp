// tmGaugeArray.cpp -- construction and name copying of the entrant rows.
#include "frontend/tmGaugeArray.h"

#include <cstring>

tmGaugeArray::tmGaugeArray() { std::memset(rows, 0, sizeof rows); }

void tmGaugeArray::SetName(int row, const char* name) {
    if (row < 0 || row >= kRows) return;
    char* out = rows[row].name;
    int i = 0;
    for (; name && name[i] != '\0' && i < tmGaugeRow::kNameSize - 1; ++i) out[i] = name[i];
    for (; i < tmGaugeRow::kNameSize; ++i) out[i] = '\0';
}
