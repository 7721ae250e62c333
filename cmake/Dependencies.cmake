# Every external library the project uses, as imported targets.
find_package(Threads REQUIRED)
find_package(PkgConfig REQUIRED)
find_package(GTest REQUIRED)
include(GoogleTest)
find_package(benchmark QUIET)

set(OpenGL_GL_PREFERENCE LEGACY)
find_package(OpenGL REQUIRED COMPONENTS OpenGL)
find_package(X11 REQUIRED)
find_package(Freetype REQUIRED)
find_package(Poco REQUIRED COMPONENTS Foundation Net)

pkg_check_modules(GLUT REQUIRED IMPORTED_TARGET glut)
pkg_check_modules(GLEW REQUIRED IMPORTED_TARGET glew)
pkg_check_modules(TINYXML REQUIRED IMPORTED_TARGET tinyxml)
pkg_check_modules(OIS REQUIRED IMPORTED_TARGET OIS)
pkg_check_modules(SNDFILE REQUIRED IMPORTED_TARGET sndfile)
# MP3 is decoded with mpg123 directly (libsndfile1-dev brings it in).
pkg_check_modules(MPG123 REQUIRED IMPORTED_TARGET libmpg123)
pkg_check_modules(SDL2 REQUIRED IMPORTED_TARGET sdl2)

find_path(FREEIMAGE_INCLUDE_DIR FreeImage.h REQUIRED)
find_library(FREEIMAGE_LIBRARY freeimage REQUIRED)
add_library(vx_freeimage INTERFACE)
target_include_directories(vx_freeimage INTERFACE ${FREEIMAGE_INCLUDE_DIR})
target_link_libraries(vx_freeimage INTERFACE ${FREEIMAGE_LIBRARY})

# TinyXML is used in its STL mode everywhere.
target_compile_definitions(PkgConfig::TINYXML INTERFACE TIXML_USE_STL)
