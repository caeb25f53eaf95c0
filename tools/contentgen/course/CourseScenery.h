// CourseScenery.h -- scenery placed from a circuit's centre line: start area, the place's trees, buildings and
// landmarks.
#pragma once

#include <deque>
#include <vector>

#include "course/CourseGround.h"
#include "course/CourseMesh.h"
#include "course/CourseSite.h"
#include "table/ReplayCameraTable.h"
#include "tools/tablerows/CircuitRows.h"

namespace contentgen {

// Meshes that fill up one after another, so no model outgrows 16-bit indices.
class MeshChunks {
public:
    explicit MeshChunks(std::size_t vertexLimit = 40000) : limit_(vertexLimit) {}
    // The mesh to add the next piece (of at most a few thousand vertices) to.
    CourseMesh& Next();
    std::deque<CourseMesh>& All() { return chunks_; }

private:
    std::size_t limit_;
    std::deque<CourseMesh> chunks_;
};

// The fixed-path camera's shots over a circuit in both directions (the waiting room's and the replay's
// background views): scenery is kept out of their way.
std::vector<ReplayShot> FixedPathShots(int courseId);
// What every replay and fixed-path camera over a circuit in both directions sees, as the row
// generator placed them.
std::vector<tablerows::CameraSights> CameraSightsOf(int courseId);
// Marks the room the cameras fly through as taken: round each eye's path and along its lines of
// sight towards the road, so no tree or house is placed there afterwards.
void KeepCamerasClear(CourseSite& site, const std::vector<tablerows::CameraSights>& cameras);

// The stands, pit building and boards along the start straight (placed from `forward`, the
// circuit's forward layout, so both directions of a circuit share them).
void BuildStartArea(CourseSite& site, const track::Layout& forward, CourseMesh& out);

// What the place builds where its layout fixes it, before the cameras are placed: the harbour
// bridge's arch and pylons, the elevated railway.
void BuildPlaceFixtures(CourseSite& site, const track::Layout& forward, CourseMesh& out);

// The place's own scenery: trees, rocks, houses, towers and landmarks, placed off the road.
void BuildPlaceScenery(CourseSite& site, const track::Layout& forward, const Surroundings& around, MeshChunks& out);

}  // namespace contentgen
