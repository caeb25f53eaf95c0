zarvo_add_bench(bench_crc
  SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/CrcBench.cpp
  LIBS zarvo_game ZLIB::ZLIB)
