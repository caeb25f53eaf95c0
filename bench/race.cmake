zarvo_add_bench(bench_race
  SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/RaceBench.cpp
  LIBS zarvo_game zarvo_platform)
target_compile_definitions(bench_race PRIVATE ZARVO_RUN_DIR="${ZARVO_RUN_DIR}")
