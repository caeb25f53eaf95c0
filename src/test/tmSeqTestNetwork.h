// tmSeqTestNetwork.h -- screen 7: the network race session driven by hand, its player table shown.
#pragma once
#include "test/tmTestScreen.h"

// Keys of the race network test: "1" hosts, "2" joins as a guest (each sets
// the race state's host flag first), "3" closes the transport, "4" throws the
// received datagrams away, "5" announces this player (machine 1, variant 0:
// an entry to the host), "6" stores a machine state made from the frame
// counter and sends it to the others. Every step the host sends its table
// while the transport is open, then the session takes what arrived. Shows
// whether the receive side runs and one line per player of the table: index,
// driver, and the position of its latest machine state. Closes what it opened.
class tmSeqTestNetwork : public tmTestScreen {
public:
    static constexpr int kId = 7;

    ~tmSeqTestNetwork() override;

    void Init() override;
    int Update() override;
    void Term() override;
    void Draw() override;

private:
    bool started_ = false;
    bool opened_ = false;  // this screen started the session
};
