# VANTORIX_SANITIZE builds every target with AddressSanitizer and
# UndefinedBehaviorSanitizer, plus the float-to-integer overflow check that
# -fsanitize=undefined leaves out; any report ends the process with an error.
option(VANTORIX_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
if(VANTORIX_SANITIZE)
  set(_vx_san -fsanitize=address,undefined,float-cast-overflow -fno-sanitize-recover=all -fno-omit-frame-pointer)
  # GCC reports false "maybe uninitialized" warnings in sanitized code.
  add_compile_options(-Wno-maybe-uninitialized)
  add_compile_options(${_vx_san})
  add_link_options(-fsanitize=address,undefined,float-cast-overflow)
  # Every program keeps the GL driver loaded until exit so leak reports name it.
  add_library(vx_keep_gl_driver OBJECT ${CMAKE_SOURCE_DIR}/sanitize/KeepGLDriverLoaded.cpp)
  target_link_libraries(vx_keep_gl_driver PUBLIC ${CMAKE_DL_LIBS})
  link_libraries(vx_keep_gl_driver)
endif()

# VANTORIX_TSAN builds every target with ThreadSanitizer (scripts/tsan.sh);
# it cannot be combined with the build above.
option(VANTORIX_TSAN "Build with ThreadSanitizer" OFF)
if(VANTORIX_TSAN)
  if(VANTORIX_SANITIZE)
    message(FATAL_ERROR "VANTORIX_TSAN and VANTORIX_SANITIZE exclude each other")
  endif()
  add_compile_options(-fsanitize=thread -fno-omit-frame-pointer -Wno-maybe-uninitialized)
  add_link_options(-fsanitize=thread)
endif()
