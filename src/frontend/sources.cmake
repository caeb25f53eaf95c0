list(APPEND ZARVO_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/tmGaugeArray.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tmNumberFont.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tmSpriteSheet.cpp
)
