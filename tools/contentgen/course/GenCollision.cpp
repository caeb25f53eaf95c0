// Generator: the collision bank, the floor, walls and route of each of the twelve course
// layouts, checked against the invariants the race relies on before anything is written.
#include <thread>

#include "Generators.h"
#include "format/CollisionFile.h"
#include "tools/track/CollisionSet.h"
#include "tools/track/TrackCheck.h"

namespace contentgen {

void GenCollision(Output& out, const Context& /*ctx*/) {
    BankOutput& bank = out.AddBank("bankRC01", DefaultBankKey("bankRC01"), BankDirectory::Stems);
    bank.ExpectCount(3 * (track::kLastLayoutCourse - track::kFirstLayoutCourse + 1));
    const std::vector<track::Layout>& layouts = track::AllLayouts();

    // Build and check the layouts in parallel; add them to the bank in course order.
    struct Built {
        track::CollisionSet set;
        std::vector<std::string> errors;
    };
    std::vector<Built> built(layouts.size());
    std::vector<std::thread> threads;
    for (int id = track::kFirstLayoutCourse; id <= track::kLastLayoutCourse; ++id)
        threads.emplace_back([&, id] {
            const track::Layout& l = layouts[id];
            if (!l.error.empty()) {
                built[id].errors.push_back(l.error);
                return;
            }
            built[id].set = track::BuildCollisionSet(l);
            built[id].errors = track::CheckCollisionSet(l, built[id].set);
            if (l.info->reverse) {
                for (std::string& e : track::CheckReverse(layouts[id - track::kReverseOffset], l))
                    built[id].errors.push_back(e);
            }
        });
    for (std::thread& t : threads) t.join();

    for (int id = track::kFirstLayoutCourse; id <= track::kLastLayoutCourse; ++id) {
        for (const std::string& e : built[id].errors) out.Fail("collision: " + e);
        const track::CourseInfo& info = *layouts[id].info;
        const track::CollisionSet& set = built[id].set;
        bank.Add(track::FloorFileName(info), zfmt::WriteFloorFile(set.floor));
        bank.Add(track::WallFileName(info), zfmt::WriteWallFile(set.walls));
        bank.Add(track::RouteFileName(info), zfmt::WriteRouteFile(set.route));
    }
}

}  // namespace contentgen
