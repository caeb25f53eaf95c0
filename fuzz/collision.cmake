# The three course collision readers (floor, walls, route) and the queries on what they accept.
zarvo_add_fuzzer(fuzz_collision
  SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/CollisionFuzz.cpp
  LIBS zarvo_game)
