list(APPEND ZARVO_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/tmCubeTexture.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tmMesh.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tmPicture.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tmResource.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tmResourceHolder.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tmResourceHolderTables.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tmShape.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tmTexture.cpp
)
