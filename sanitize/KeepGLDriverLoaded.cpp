// Linked into every program of the sanitizer build. Mesa unloads its driver
// when the display closes, before the leak checker runs at exit; allocations
// made by an unloaded library show as "<unknown module>" and cannot be told
// apart from ours. Loading the driver up front with RTLD_NODELETE keeps it
// mapped, so the checker names it and its suppression applies by module.
#include <dlfcn.h>

namespace {

__attribute__((constructor)) void keepGLDriverLoaded() {
    const char* const libraries[] = {
        "libGLX_mesa.so.0",
        "/usr/lib/x86_64-linux-gnu/dri/swrast_dri.so",
    };
    for (const char* name : libraries) dlopen(name, RTLD_LAZY | RTLD_LOCAL | RTLD_NODELETE);
}

}  // namespace
