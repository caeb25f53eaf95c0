list(APPEND ZARVO_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/tmCommonWindow.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tmCourseSelectFrontend.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tmMachineSelectFrontend.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tmMenuCommon.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tmMenuFlow.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tmMenuMainLayout.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tmSeqCourseSelect.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tmSeqLoadingCourse.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tmSeqMachineSelect.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tmSeqMenuMain.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tmSeqMenuMainDraw.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tmSeqTitle.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tmSpriteTween.cpp
)
