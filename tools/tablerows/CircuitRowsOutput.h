// Emits the geometry-tied rows of the course and replay camera tables as C++ constants.
#pragma once

#include <ostream>

namespace tablerows {

// Writes `content::circuit_rows`: section counts, grids and replay lists by course id, derived
// from each circuit's layout with the fixed rows kept as they stand.
void WriteCircuitRows(std::ostream& out);

}  // namespace tablerows
