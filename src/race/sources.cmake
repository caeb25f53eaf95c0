list(APPEND ZARVO_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/tmLapTimer.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tmRaceMessages.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tmRaceNetwork.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tmRaceNetworkRace.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tmRaceState.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tmRaceTransport.cpp
)
