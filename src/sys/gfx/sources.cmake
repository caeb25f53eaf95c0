list(APPEND ZARVO_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/tmRenderSetting.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tmVertexDecl.cpp
)
