list(APPEND ZARVO_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/CourseTable.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ReplayCameraTable.cpp
)
