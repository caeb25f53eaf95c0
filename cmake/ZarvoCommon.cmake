# Compiler settings shared by every target, and small helpers.

# Text is Shift-JIS at run time; sources are UTF-8.
set(ZARVO_CHARSET_FLAGS -finput-charset=UTF-8 -fexec-charset=CP932)

add_compile_options(-Wall -Wextra)
if(ZARVO_SANITIZE)
  # Undefined behaviour stays recoverable so the run can suppress third-party
  # reports (scripts/ubsan.supp); UBSAN_OPTIONS=halt_on_error=1 makes ours fatal.
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()

# zarvo_apply_charset(target): compile the target's literals as Shift-JIS.
function(zarvo_apply_charset target)
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    target_compile_options(${target} PRIVATE ${ZARVO_CHARSET_FLAGS})
  endif()
endfunction()

# zarvo_include_sources(VAR dir...): each dir/sources.cmake appends its files to ZARVO_SOURCES.
macro(zarvo_include_sources var)
  set(ZARVO_SOURCES "")
  foreach(_dir ${ARGN})
    if(EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${_dir}/sources.cmake)
      include(${CMAKE_CURRENT_SOURCE_DIR}/${_dir}/sources.cmake)
    endif()
  endforeach()
  set(${var} ${ZARVO_SOURCES})
endmacro()

if(ZARVO_FUZZ)
  # Instrument everything the harnesses link; the harness targets add the driver.
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer
                      -fsanitize-coverage-ignorelist=${CMAKE_SOURCE_DIR}/fuzz/coverage-ignore.txt)
  add_link_options(-fsanitize=address,undefined)
endif()

# zarvo_register_engine_tables(target lib...): a test, benchmark or fuzz binary that links game code (one of
# the libraries named) registers the generated engine tables before main, as the program start does.
function(zarvo_register_engine_tables target)
  foreach(_lib ${ARGN})
    if(_lib MATCHES "^(zarvo_game|zarvo_harness|zarvo_lobby_test_support|zarvo_lobby_visit)$")
      target_sources(${target} PRIVATE ${CMAKE_SOURCE_DIR}/tests/harness/EngineTablesAtStart.cpp)
      return()
    endif()
  endforeach()
endfunction()
