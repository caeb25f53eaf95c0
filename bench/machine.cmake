zarvo_add_bench(bench_machine
  SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/MachineBench.cpp
  LIBS zarvo_game)
target_compile_definitions(bench_machine PRIVATE ZARVO_RUN_DIR="${ZARVO_RUN_DIR}")
