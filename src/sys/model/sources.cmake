list(APPEND ZARVO_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/tmBinaryMeshLoader.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tmModelText.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tmObjLoader.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tmXMaterialParser.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tmYsmLoader.cpp
)
