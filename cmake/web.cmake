# The WebAssembly build: the program's own code as natively, the replay tool run under Node,
# and the page (web/) with its backend (platform/web/). web/build.sh configures it.
add_compile_options(-fexceptions)  # End() unwinds every handler by throwing
add_link_options(-fexceptions -sALLOW_MEMORY_GROWTH=1)
# Debian's emscripten finds its JavaScript helpers (acorn) only through NODE_PATH.
set(KELTO_NODE_PATH /usr/share/nodejs)
set(CMAKE_CXX_LINKER_LAUNCHER "${CMAKE_COMMAND}" -E env NODE_PATH=${KELTO_NODE_PATH})
# Node 20's own fetch() makes emscripten's loader fetch the .wasm by URL instead of reading it.
set(KELTO_NODE node --no-experimental-fetch)

find_package(Threads REQUIRED)  # named by HarfBuzz's package file; no threads are started
find_package(SDL2 2.0.20 CONFIG REQUIRED)
find_package(SDL2_image REQUIRED)
find_package(SDL2_ttf 2.20 REQUIRED)
find_package(SDL2_mixer 2.6 REQUIRED)
# The libraries are built static only; their package files name the static targets alone.
foreach(lib SDL2::SDL2 SDL2_image::SDL2_image SDL2_ttf::SDL2_ttf SDL2_mixer::SDL2_mixer)
  if(NOT TARGET ${lib} AND TARGET ${lib}-static)
    add_library(${lib} ALIAS ${lib}-static)
  endif()
endforeach()

enable_testing()
include(cmake/embed.cmake)
add_subdirectory(platform)
add_subdirectory(game)
add_subdirectory(shell)
add_subdirectory(about)
add_subdirectory(app)
add_subdirectory(tools)
add_subdirectory(web)
