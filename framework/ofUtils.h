#pragma once

#include <cstdint>
#include <string>

// Milliseconds on a monotonic clock; 64 bits, so it never wraps.
uint64_t ofGetSystemTime();
void ofResetElapsedTimeCounter();
uint64_t ofGetElapsedTimeMillis();
float ofGetElapsedTimef();

void ofDisableDataPath();
std::string ofToDataPath(const std::string& path, bool makeAbsolute = false);

int ofToInt(const std::string& text);
float ofToFloat(const std::string& text);

std::string ofToString(int value);
std::string ofToString(unsigned int value);
std::string ofToString(bool value);
std::string ofToString(float value);
std::string ofToString(int64_t value);
std::string ofToString(uint64_t value);
