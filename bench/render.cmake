zarvo_add_bench(bench_render
  SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/RenderQueueBench.cpp
  LIBS zarvo_game zarvo_platform)
