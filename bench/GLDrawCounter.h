#pragma once

// Counts the OpenGL draw calls a benchmark program makes. Defining the two
// draw entry points here puts them ahead of libGL's for every call from the
// program and its static libraries; each counts and forwards to libGL's.
// Entry points reached through GLEW are counted once countGlewDraws has run
// (after the window opened). Include it from one source file of a program
// only.
#include <GL/glew.h>
#include <dlfcn.h>

inline long glDrawCalls = 0;

extern "C" {

void GLAPIENTRY glDrawArrays(GLenum mode, GLint first, GLsizei count) {
    using Fn = void(GLAPIENTRY*)(GLenum, GLint, GLsizei);
    static const Fn real = reinterpret_cast<Fn>(dlsym(RTLD_NEXT, "glDrawArrays"));
    ++glDrawCalls;
    real(mode, first, count);
}

void GLAPIENTRY glDrawElements(GLenum mode, GLsizei count, GLenum type, const void* indices) {
    using Fn = void(GLAPIENTRY*)(GLenum, GLsizei, GLenum, const void*);
    static const Fn real = reinterpret_cast<Fn>(dlsym(RTLD_NEXT, "glDrawElements"));
    ++glDrawCalls;
    real(mode, count, type, indices);
}

}  // extern "C"

inline PFNGLMULTIDRAWELEMENTSPROC glewMultiDrawElements = nullptr;

// One multi-draw is one call, however many strips it draws.
inline void GLAPIENTRY countedMultiDrawElements(GLenum mode, const GLsizei* count, GLenum type,
                                                const void* const* indices, GLsizei drawcount) {
    ++glDrawCalls;
    glewMultiDrawElements(mode, count, type, indices, drawcount);
}

inline void countGlewDraws() {
    if (!__glewMultiDrawElements || __glewMultiDrawElements == countedMultiDrawElements) return;
    glewMultiDrawElements = __glewMultiDrawElements;
    __glewMultiDrawElements = countedMultiDrawElements;
}
