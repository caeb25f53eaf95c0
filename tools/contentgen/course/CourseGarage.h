// CourseGarage.h -- the garage: a lit studio with a turntable where the machine viewer shows a machine.
#pragma once

#include "course/CourseSky.h"
#include "kit/Output.h"
#include "tables/ResourceGroups.h"

namespace contentgen {

// Makes the garage group's model bank (the course table draws its parts at scale 1, the machine
// standing at the origin).
void MakeGarage(const GroupSpec& spec, Output& out);

// The studio's light for its cube map: grey walls under bright ceiling panels.
SkyStyle StudioSky();

}  // namespace contentgen
