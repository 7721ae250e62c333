#pragma once

#include <stdlib.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

// A fresh folder under $TMPDIR (or /tmp) for everything a bench writes,
// removed with the object: a bench run from the checkout leaves it clean and
// never touches the player's own saves in data/.
class ScratchFolder {
public:
    ScratchFolder() {
        const char* base = std::getenv("TMPDIR");
        std::string pattern = std::string(base != nullptr && *base != '\0' ? base : "/tmp") + "/vx_bench_XXXXXX";
        std::vector<char> name(pattern.begin(), pattern.end());
        name.push_back('\0');
        if (mkdtemp(name.data()) == nullptr) {
            std::fprintf(stderr, "cannot make a scratch folder %s: %s\n", pattern.c_str(), std::strerror(errno));
            return;
        }
        path = name.data();
    }
    ~ScratchFolder() {
        if (path.empty()) return;
        // Out of it first, so nothing relative resolves into a removed folder.
        if (!home.empty() && chdir(home.c_str()) != 0)
            std::fprintf(stderr, "cannot return to %s: %s\n", home.c_str(), std::strerror(errno));
        std::error_code error;
        std::filesystem::remove_all(path, error);
        if (error) std::fprintf(stderr, "cannot remove %s: %s\n", path.c_str(), error.message().c_str());
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    bool made() const { return !path.empty(); }
    std::string file(const std::string& name) const { return path + "/" + name; }

    // Makes the folder the working one, with a data/ of its own, for code
    // that saves through the game's relative data path.
    bool enter() {
        if (!made()) return false;
        std::error_code error;
        std::filesystem::create_directory(file("data"), error);
        if (!error) home = std::filesystem::current_path(error).string();
        if (error || home.empty() || chdir(path.c_str()) != 0) {
            std::fprintf(stderr, "cannot work in %s\n", path.c_str());
            return false;
        }
        return true;
    }

    std::string path;

private:
    std::string home;
};
