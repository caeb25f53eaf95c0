// Generator: the course grids and replay camera lists derived from the circuit layouts.
#include <sstream>

#include "Generators.h"
#include "tools/tablerows/CircuitRowsOutput.h"

namespace contentgen {

void GenCircuitRows(Output& out, const Context& /*ctx*/) {
    std::ostringstream rows;
    tablerows::WriteCircuitRows(rows);
    out.Check(!rows.str().empty(), "circuit rows: nothing written");
    out.Header() << "\n" << rows.str();
}

}  // namespace contentgen
