// CourseArt.h -- the visible course content: each circuit's and the garage's models and skies, the mini maps.
#pragma once

#include <string>

#include "Generators.h"
#include "course/CourseMap.h"
#include "format/ByteIO.h"
#include "tables/TextureSets.h"

namespace contentgen {

// The group holding the mini maps and their markers (CourseMap.h; the rest of it is made by GenModels).
constexpr int kMiniMapGroup = 12;
constexpr int kGarageGroup = 31;

// True for the groups whose banks the course art makes: the twelve circuit layouts (0 to 11) and
// the garage (31).
bool CourseArtMakesGroup(int groupId);

// Makes the model bank of one course group.
void MakeCourseGroup(int groupId, Output& out, const Context& ctx);

// The pictures of a course group's texture bank this art draws (the texture generator makes the
// banks): the sky cube, the lighting ramp and the sky dome's panorama of each layout and the
// garage. False for any other texture.
bool CourseArtTexture(int groupId, const std::string& name, const std::string& kind, TextureJob& out);

// One generator per course group, so the groups are made in parallel.
template <int Group>
void GenCourseGroup(Output& out, const Context& ctx) {
    MakeCourseGroup(Group, out, ctx);
}

}  // namespace contentgen
