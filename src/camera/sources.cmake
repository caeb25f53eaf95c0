list(APPEND ZARVO_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/tmCamera.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tmCameraFixedPath.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tmCameraReplay.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tmCameraReplayAct.cpp
)
