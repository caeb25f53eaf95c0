list(APPEND ZARVO_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/tmCollision.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tmCollisionGrid.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tmCollisionQuery.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tmCourse.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tmRouteTable.cpp
)
