// Emits the geometry-tied rows of the course and replay camera tables as C++ constants.
#pragma once

#include <ostream>
#include <vector>

#include "tools/tablerows/CircuitLayout.h"
#include "tools/tablerows/CircuitRows.h"

namespace tablerows {

// Writes `content::circuit_rows`: section counts, grids and replay lists by course id, from each
// layout and the rows built from it (both indexed by course id 0..13; ids 2..13 filled). False
// when a layout is missing.
bool WriteCircuitRows(std::ostream& out, const std::vector<CircuitLayout>& layouts,
                      const std::vector<CircuitRows>& rows);

}  // namespace tablerows
