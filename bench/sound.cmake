zarvo_add_bench(bench_sound
  SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/SoundBench.cpp
  LIBS zarvo_game)
