# The race network in a 16-player race: bytes sent per second and the time of one step.
zarvo_add_bench(bench_racenet
  SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/RaceNetworkBench.cpp ${CMAKE_SOURCE_DIR}/tests/race/RaceHub.cpp
  LIBS zarvo_game)
target_include_directories(bench_racenet PRIVATE ${CMAKE_SOURCE_DIR}/tests)
