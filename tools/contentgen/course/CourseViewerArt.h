// CourseViewerArt.h -- the course viewer's placements table, its models and its two textures.
#pragma once

#include <string>
#include <vector>

#include "kit/Output.h"

namespace contentgen {

// One row of the "CourseViewer" data table: a model file under data/CourseViewer/model/, where it
// stands and turns (degrees), and its animation window (-1: none) with the alphas at the ends.
struct CourseViewerPlacement {
    std::string file;
    float position[3];
    float rotation[3];
    int animBegin, animEnd;
    float alphaBegin, alphaEnd;
};

// The placements, in table row order (rows "Model00" onward).
const std::vector<CourseViewerPlacement>& CourseViewerPlacements();

// The text of the "CourseViewer" data table for the data-table bank; failures go to `out`.
std::string CourseViewerTableText(Output& out);

}  // namespace contentgen
