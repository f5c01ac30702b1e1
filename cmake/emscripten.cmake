# The browser build's toolchain: Emscripten's own toolchain file, found in
# EMSCRIPTEN_ROOT, in an emsdk (EMSDK), or where em-config says (Debian's
# package), so that `cmake --preset web` needs nothing set by hand.
if(NOT VANTRELLE_EMSCRIPTEN_ROOT)
  if(DEFINED ENV{EMSCRIPTEN_ROOT})
    set(root "$ENV{EMSCRIPTEN_ROOT}")
  elseif(DEFINED ENV{EMSDK})
    set(root "$ENV{EMSDK}/upstream/emscripten")
  else()
    execute_process(COMMAND em-config EMSCRIPTEN_ROOT OUTPUT_VARIABLE root
                    OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET RESULT_VARIABLE status)
  endif()
  if(NOT EXISTS "${root}/cmake/Modules/Platform/Emscripten.cmake")
    message(FATAL_ERROR "Emscripten's toolchain file was not found (em-config EMSCRIPTEN_ROOT: "
                        "'${root}'). Install Debian's emscripten or set EMSCRIPTEN_ROOT.")
  endif()
  set(VANTRELLE_EMSCRIPTEN_ROOT "${root}" CACHE PATH "Emscripten's folder")
endif()
# Test compilations include this file again, in trees of their own.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES VANTRELLE_EMSCRIPTEN_ROOT)
include("${VANTRELLE_EMSCRIPTEN_ROOT}/cmake/Modules/Platform/Emscripten.cmake")
