#pragma once

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "ScratchDir.h"
#include "ofFreeImage.h"
#include "ofPixels.h"

typedef std::vector<unsigned char> Bytes;

inline Bytes bytesOf(const ofPixels& p) { return Bytes(p.getPixels(), p.getPixels() + p.size()); }

inline Bytes fileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void writeFile(const std::string& path, const Bytes& b) {
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(b.data()), (std::streamsize)b.size());
}

// Everything logged (warnings to stdout, errors to stderr) while action runs.
inline std::string logged(const std::function<void()>& action) {
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    action();
    fflush(stdout);
    std::string out = testing::internal::GetCapturedStdout();
    return out + testing::internal::GetCapturedStderr();
}

// Runs each test in a fresh folder of its own, with an empty data folder.
class DataFolder : public testing::Test {
protected:
    void SetUp() override {
        std::filesystem::current_path(scratch.path);
        mkdir("data", 0755);
        ofInitFreeImage();
    }
    void TearDown() override { std::filesystem::current_path(home); }
    std::filesystem::path home = std::filesystem::current_path();
    ScratchDir scratch;
};
