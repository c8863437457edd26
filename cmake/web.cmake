# The libraries of the web build (emcmake cmake ... -DBRAKKA_WEB_DEPS=<prefix printed by
# scripts/web-deps.sh>), as the same targets the native build finds through pkg-config and CMake's
# modules; OpenGL is the browser's WebGL behind emscripten's OpenGL 1.x emulation (linked by the
# program's options below).
set(BRAKKA_WEB_DEPS "" CACHE PATH "Prefix of the WebAssembly libraries (scripts/web-deps.sh)")
if(NOT BRAKKA_WEB_DEPS OR NOT EXISTS "${BRAKKA_WEB_DEPS}/share/brakka-web-deps/manifest.txt")
  message(FATAL_ERROR "BRAKKA_WEB_DEPS must name a finished prefix of scripts/web-deps.sh")
endif()

function(brakka_web_library target library)
  add_library(${target} INTERFACE IMPORTED GLOBAL)
  set_target_properties(${target} PROPERTIES
    INTERFACE_INCLUDE_DIRECTORIES "${BRAKKA_WEB_DEPS}/include;${BRAKKA_WEB_DEPS}/include/SDL2"
    INTERFACE_LINK_LIBRARIES "${BRAKKA_WEB_DEPS}/lib/${library}")
endfunction()
brakka_web_library(PkgConfig::SDL2 libSDL2.a)
brakka_web_library(PkgConfig::SDL2_MIXER libSDL2_mixer.a)
brakka_web_library(PkgConfig::LZO2 liblzo2.a)
brakka_web_library(ZLIB::ZLIB libz.a)
brakka_web_library(PNG::PNG libpng16.a)
brakka_web_library(JPEG::JPEG libjpeg.a)
# SDL_mixer and libpng need what they were built on.
set_property(TARGET PkgConfig::SDL2_MIXER APPEND PROPERTY INTERFACE_LINK_LIBRARIES PkgConfig::SDL2)
set_property(TARGET PNG::PNG APPEND PROPERTY INTERFACE_LINK_LIBRARIES ZLIB::ZLIB)
add_library(OpenGL::GL INTERFACE IMPORTED GLOBAL)

# How the program runs in a page:
# - the game's screens are blocking loops: ASYNCIFY lets the frame's wait hand the page its turn and
#   come back where it left off;
# - OpenGL 1.x drawing through emscripten's emulation over WebGL 1;
# - the user data folder on the browser's IndexedDB (dist/web/storage.js mounts it before main runs);
# - the program's end (app_exit) ends the runtime, which tells the page (Module.onExit).
set(BRAKKA_WEB_LINK_OPTIONS
  -sASYNCIFY=1 -sASYNCIFY_STACK_SIZE=262144
  -sLEGACY_GL_EMULATION=1 -sMIN_WEBGL_VERSION=1 -sMAX_WEBGL_VERSION=1
  # Frames are drawn off the canvas and copied onto it whole at the swap (web_present), so the page
  # never shows a frame half drawn, or the cleared start of the next one while the frame's wait yields.
  -sOFFSCREEN_FRAMEBUFFER=1
  -sALLOW_MEMORY_GROWTH=1 -sINITIAL_MEMORY=67108864
  -sEXIT_RUNTIME=1 -sFORCE_FILESYSTEM=1 -lidbfs.js -sENVIRONMENT=web
  # SDL's JavaScript calls back into the program through dynCall (audio): the list in the file.
  -sDEFAULT_LIBRARY_FUNCS_TO_INCLUDE=@${PROJECT_SOURCE_DIR}/cmake/web-library-funcs.json
  "SHELL:--pre-js ${PROJECT_SOURCE_DIR}/dist/web/storage.js"
  "SHELL:--pre-js ${PROJECT_SOURCE_DIR}/dist/web/audio_resume.js"
  "SHELL:--pre-js ${PROJECT_SOURCE_DIR}/dist/web/offscreen_frames.js")
