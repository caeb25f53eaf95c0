list(APPEND ZARVO_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/ggSeqTest01.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tmSeqCourseViewer.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tmSeqFrontendViewer.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tmSeqMenuDebug.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tmSeqSample.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tmSeqTest01.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tmSeqTest02.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tmSeqTest03.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tmSeqTestNetwork.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tmSeqTestSound.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tmTestScene.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tmTestScreen.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tySeqTest01.cpp
)
