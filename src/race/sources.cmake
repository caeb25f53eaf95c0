list(APPEND ZARVO_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/tmLapTimer.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tmLevelUp.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tmRaceChoiceMenu.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tmRaceMessages.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tmRaceNetwork.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tmRaceNetworkRace.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tmRaceResultPanel.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tmRaceState.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tmRaceTransport.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tmSeqJoinRace.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tmSeqJoinRaceDraw.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tmSeqRace.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tmSeqRaceDisplay.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tmSeqRaceStandings.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tmTrophyInfo.cpp
)
