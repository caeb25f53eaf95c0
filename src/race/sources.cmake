list(APPEND ZARVO_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/tmLapTimer.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tmRaceState.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tmReplay.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tmReplayFormat.cpp
)
