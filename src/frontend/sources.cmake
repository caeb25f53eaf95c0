list(APPEND ZARVO_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/tmFrontend.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tmFrontendCommon.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tmFrontendCommonDraw.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tmFrontendFamilies.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tmFrontendMachine.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tmGaugeArray.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tmHudPlace.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tmNumberFont.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tmSpriteSheet.cpp
)
