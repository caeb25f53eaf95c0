list(APPEND ZARVO_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/tmCommonWindow.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tmMenuFlow.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tmSeqLoadingCourse.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tmSpriteTween.cpp
)
