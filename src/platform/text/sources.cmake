list(APPEND ZARVO_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/TextEncoding.cpp
  ${CMAKE_CURRENT_LIST_DIR}/GlyphAtlas.cpp
  ${CMAKE_CURRENT_LIST_DIR}/BuiltinGlyphSource.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FreeTypeGlyphSource.cpp)
