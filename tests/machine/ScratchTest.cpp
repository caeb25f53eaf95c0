#include <cstdio>
#include "table/MachineTable.h"
#include "tests/machine/MachineFixture.h"
#include "tests/machine/TestTrack.h"

TEST_F(MachineTest, ScratchLaunch) {
    TestTrack floor(FlatFloor());
    for (int id : {11}) {
        machines_.clear();
        tmMachine& m = AddMachine(&floor.Course(), id, kControllerPlayer, 0, true);
        m.GetCore()->position = D3DXVECTOR3(0, 0, 0);
        Key(pad::kAccelerate, true);
        auto* c = m.GetCore();
        for (int i = 0; i < 60 * 6; ++i) {
            Step(&floor.Course());
            if (i % 10 == 0 && i > 130)
                printf("%d kmh %f rpm %f gear %d T %f W %f\n", i, c->kmh, c->rpm, c->gear, m.GetMove()->T,
                       m.GetMove()->W);
        }
    }
}
