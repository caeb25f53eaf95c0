zarvo_add_bench(bench_courseart
  SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/CourseArtBench.cpp
  LIBS zarvo_game zarvo_platform)
target_compile_definitions(bench_courseart PRIVATE ZARVO_RUN_DIR="${ZARVO_RUN_DIR}")
