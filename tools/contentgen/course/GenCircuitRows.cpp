// Generator: the course grids and replay camera lists derived from the circuit layouts.
#include <sstream>
#include <string>

#include "Generators.h"
#include "course/CourseSight.h"
#include "tools/tablerows/CircuitRowsOutput.h"
#include "tools/track/Layout.h"

namespace contentgen {

void GenCircuitRows(Output& out, const Context& /*ctx*/) {
    std::vector<tablerows::CircuitLayout> layouts(14);
    for (const track::Layout& l : track::AllLayouts())
        if (l.info && l.error.empty()) layouts[l.info->courseId] = l.ForTableRows();
    const std::vector<tablerows::CircuitRows>& all = AllCircuitRows();
    for (int id = track::kFirstLayoutCourse; id <= track::kLastLayoutCourse; ++id)
        for (const std::string& why : all[static_cast<std::size_t>(id)].unseen) out.Fail(why);
    std::ostringstream rows;
    out.Check(tablerows::WriteCircuitRows(rows, layouts, all), "circuit rows: a layout is missing");
    out.Header() << "\n" << rows.str();
}

}  // namespace contentgen
