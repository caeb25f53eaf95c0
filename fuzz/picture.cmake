# Player pictures from the lobby network: JPEG (or PNG, BMP) bytes decoded and scaled to 122 x 122.
zarvo_add_fuzzer(fuzz_picture
  SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/PictureFuzz.cpp
  LIBS zarvo_game)
