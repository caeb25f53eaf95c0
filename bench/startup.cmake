zarvo_add_bench(bench_startup
  SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/StartupBench.cpp
  LIBS zarvo_game zarvo_platform)
target_compile_definitions(bench_startup PRIVATE ZARVO_RUN_DIR="${ZARVO_RUN_DIR}")
