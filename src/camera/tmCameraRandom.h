// tmCameraRandom.h -- the cameras' own random sequence, apart from the race's shared generator.
#pragma once
#include "sys/base/tmRandomStream.h"

// The cameras shake, pick replay shots and wander by chance. They draw from
// this sequence rather than from the race's generator: which view a player
// watches must never change how a race runs, nor make a replay diverge from
// its recording. Owned by the race camera controller and lent to its sub-cameras.
class tmCameraRandom : public tmRandomStream {
public:
    using tmRandomStream::tmRandomStream;
};
