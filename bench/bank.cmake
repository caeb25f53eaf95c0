zarvo_add_bench(bench_bank
  SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/BankBench.cpp
  LIBS zarvo_game)
target_compile_definitions(bench_bank PRIVATE ZARVO_RUN_DIR="${ZARVO_RUN_DIR}")
