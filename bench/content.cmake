zarvo_add_bench(bench_content
  SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/ContentBench.cpp
  LIBS zarvo_platform)
add_dependencies(bench_content contentgen)
target_compile_definitions(bench_content PRIVATE ZARVO_CONTENTGEN="$<TARGET_FILE:contentgen>"
                                                 ZARVO_MANIFEST_DIR="${CMAKE_SOURCE_DIR}/tools/contentgen/manifest")
