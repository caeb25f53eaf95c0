// tmScreens.cpp -- the screen factory of the game: one constructor per screen id.
#include "app/tmPlaceholderScreens.h"
#include "app/tmSequence.h"
#include "lobby/ggSeqLobby.h"
#include "menu/tmSeqCourseSelect.h"
#include "menu/tmSeqEnding.h"
#include "menu/tmSeqLoadingCourse.h"
#include "menu/tmSeqMachineSelect.h"
#include "menu/tmSeqMachineViewer.h"
#include "menu/tmSeqMenuMain.h"
#include "menu/tmSeqMenuOptCtrler.h"
#include "menu/tmSeqMenuOptGame.h"
#include "menu/tmSeqMenuOptSound.h"
#include "menu/tmSeqMenuOptVideo.h"
#include "menu/tmSeqRecordViewer.h"
#include "menu/tmSeqReplaySelect.h"
#include "menu/tmSeqTitle.h"
#include "menu/tmSeqTrophyViewer.h"
#include "race/tmSeqJoinRace.h"
#include "race/tmSeqRace.h"
#include "test/ggSeqTest01.h"
#include "test/tmSeqCourseViewer.h"
#include "test/tmSeqFrontendViewer.h"
#include "test/tmSeqMenuDebug.h"
#include "test/tmSeqSample.h"
#include "test/tmSeqTest01.h"
#include "test/tmSeqTest02.h"
#include "test/tmSeqTest03.h"
#include "test/tmSeqTestNetwork.h"
#include "test/tmSeqTestSound.h"
#include "test/tySeqTest01.h"

// Every real screen registers its constructor here, replacing the stand-in
// of its id: factory.Set(id, [] () -> tmSequence* { return new tmSeqX(); });
tmSequenceFactory tmMakeScreenFactory() {
    tmSequenceFactory factory;
    tmRegisterPlaceholderScreens(factory);
    factory.Set(kSeqDebugMenu, []() -> tmSequence* { return new tmSeqMenuDebug(); });
    factory.Set(ggSeqTest01::kId, []() -> tmSequence* { return new ggSeqTest01(); });
    factory.Set(tmSeqSample::kId, []() -> tmSequence* { return new tmSeqSample(); });
    factory.Set(tmSeqTest01::kId, []() -> tmSequence* { return new tmSeqTest01(); });
    factory.Set(tmSeqTest02::kId, []() -> tmSequence* { return new tmSeqTest02(); });
    factory.Set(tmSeqTest03::kId, []() -> tmSequence* { return new tmSeqTest03(); });
    factory.Set(tmSeqTestSound::kId, []() -> tmSequence* { return new tmSeqTestSound(); });
    factory.Set(tmSeqTestNetwork::kId, []() -> tmSequence* { return new tmSeqTestNetwork(); });
    factory.Set(tySeqTest01::kId, []() -> tmSequence* { return new tySeqTest01(); });
    factory.Set(kSeqTitle, []() -> tmSequence* { return new tmSeqTitle(); });
    factory.Set(kSeqMainMenu, []() -> tmSequence* { return new tmSeqMenuMain(); });
    factory.Set(8, []() -> tmSequence* { return new tmSeqMachineViewer(); });
    factory.Set(9, []() -> tmSequence* { return new tmSeqCourseViewer(); });
    factory.Set(10, []() -> tmSequence* { return new tmSeqFrontendViewer(); });
    factory.Set(15, []() -> tmSequence* { return new tmSeqTrophyViewer(); });
    factory.Set(16, []() -> tmSequence* { return new tmSeqRecordViewer(); });
    factory.Set(17, []() -> tmSequence* { return new tmSeqMenuOptGame(); });
    factory.Set(18, []() -> tmSequence* { return new tmSeqMenuOptCtrler(); });
    factory.Set(19, []() -> tmSequence* { return new tmSeqMenuOptVideo(); });
    factory.Set(20, []() -> tmSequence* { return new tmSeqMenuOptSound(); });
    factory.Set(kSeqCourseSelect, []() -> tmSequence* { return new tmSeqCourseSelect(); });
    factory.Set(kSeqMachineSelect, []() -> tmSequence* { return new tmSeqMachineSelect(); });
    factory.Set(kSeqReplaySelect, []() -> tmSequence* { return new tmSeqReplaySelect(); });
    factory.Set(kSeqLoading, []() -> tmSequence* { return new tmSeqLoadingCourse(); });
    factory.Set(kSeqRace, []() -> tmSequence* { return new tmSeqRace(); });
    factory.Set(kSeqJoinRace, []() -> tmSequence* { return new tmSeqJoinRace(); });
    factory.Set(kSeqLobby, []() -> tmSequence* { return new g2lobby::ggSeqLobby(); });
    factory.Set(kSeqEnding, []() -> tmSequence* { return new tmSeqEnding(); });
    return factory;
}
