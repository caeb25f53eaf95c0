// tmScreens.cpp -- the screen factory of the game: one constructor per screen id.
#include "app/tmPlaceholderScreens.h"
#include "app/tmSequence.h"
#include "lobby/ggSeqLobby.h"

// Every real screen registers its constructor here, replacing the stand-in
// of its id: factory.Set(id, [] () -> tmSequence* { return new tmSeqX(); });
tmSequenceFactory tmMakeScreenFactory() {
    tmSequenceFactory factory;
    tmRegisterPlaceholderScreens(factory);
    factory.Set(kSeqLobby, []() -> tmSequence* { return new g2lobby::ggSeqLobby(); });
    return factory;
}
