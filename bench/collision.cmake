zarvo_add_bench(bench_collision
  SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/CollisionBench.cpp
  LIBS zarvo_game)
target_compile_definitions(bench_collision PRIVATE ZARVO_RUN_DIR="${ZARVO_RUN_DIR}")
