#pragma once

#include <stdlib.h>

#include <filesystem>
#include <string>

// A fresh folder under /tmp, removed with the object.
struct ScratchDir {
    ScratchDir() {
        char pattern[] = "/tmp/vx_test_XXXXXX";
        const char* made = mkdtemp(pattern);
        if (made == nullptr) abort();  // never fall back to a shared folder we would remove
        path = made;
    }
    ~ScratchDir() { std::filesystem::remove_all(path); }
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;
    std::string file(const std::string& name) const { return path + "/" + name; }
    std::string path;
};
