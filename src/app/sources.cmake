list(APPEND ZARVO_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/tmCameraCtrl.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tmConfig.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tmMainLoop.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tmMainLoopServices.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tmProgram.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tmScreens.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tmSequenceManager.cpp
)
