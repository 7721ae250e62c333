#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

// What a piece of code wrote to standard output and standard error. The
// printf form of the log does not flush, so both streams are flushed first.
struct CapturedOutput {
    std::string out, err;
};

template <class F>
CapturedOutput captureOutput(F f) {
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    f();
    std::fflush(stdout);
    std::fflush(stderr);
    std::string out = testing::internal::GetCapturedStdout();
    return {out, testing::internal::GetCapturedStderr()};
}
