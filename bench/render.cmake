zarvo_add_bench(bench_render
  SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/RenderQueueBench.cpp
  LIBS zarvo_game zarvo_platform)

zarvo_add_bench(bench_render_frame
  SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/RenderFrameBench.cpp
  LIBS zarvo_game zarvo_platform)
target_compile_definitions(bench_render_frame PRIVATE ZARVO_RUN_DIR="${ZARVO_RUN_DIR}")
