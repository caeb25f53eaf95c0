list(APPEND ZARVO_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/tmConsole.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tmDebugFont.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tmDxFont.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tmFontFace.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tmGlyphFont.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tmSjis.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tmTextSprite.cpp
)
