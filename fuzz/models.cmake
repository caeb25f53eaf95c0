# The model readers and image decoders: binary, text and Wavefront meshes, pictures.
foreach(kind ybm ysm xtext obj image)
  string(TOUPPER ${kind} _upper)
  zarvo_add_fuzzer(fuzz_${kind}
    SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/ModelFuzz.cpp
    LIBS zarvo_game)
  target_compile_definitions(fuzz_${kind} PRIVATE FUZZ_${_upper})
endforeach()
