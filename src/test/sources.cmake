list(APPEND ZARVO_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/ggSeqTest01.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tmSeqCourseViewer.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tmSeqFrontendViewer.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tmSeqMenuDebug.cpp
)
