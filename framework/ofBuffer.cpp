#include "ofBuffer.h"

#include <cstring>

namespace {
const std::streamsize chunkSize = 1024;
}

ofBuffer::ofBuffer() : bytes(1, 0), nextLinePos(0) {}

ofBuffer::ofBuffer(std::istream& stream) : bytes(1, 0), nextLinePos(0) {
    set(stream);
}

ofBuffer::~ofBuffer() {
    clear();
}

void ofBuffer::clear() {
    bytes.assign(1, 0);
    nextLinePos = 0;
}

bool ofBuffer::set(std::istream& stream) {
    clear();
    if (stream.bad()) return false;
    char chunk[chunkSize];
    stream.read(chunk, chunkSize);
    std::streamsize count = stream.gcount();
    while (count > 0) {
        const std::size_t have = size();
        bytes.resize(have + static_cast<std::size_t>(count) + 1, 0);
        std::memcpy(bytes.data() + have, chunk, static_cast<std::size_t>(count));
        if (!stream.good()) break;
        stream.read(chunk, chunkSize);
        count = stream.gcount();
    }
    return true;
}

std::string ofBuffer::getText() const {
    return std::string(bytes.data());
}

const char* ofBuffer::getBinaryBuffer() const {
    return bytes.data();
}

char* ofBuffer::getBinaryBuffer() {
    return bytes.data();
}

std::size_t ofBuffer::size() const {
    return bytes.size() - 1;
}

bool ofBuffer::isLastLine() const {
    return static_cast<std::size_t>(nextLinePos) == size();
}

std::string ofBuffer::getNextLine() {
    const std::size_t end = size();
    std::size_t pos = static_cast<std::size_t>(nextLinePos);
    if (pos >= end) return std::string();
    const std::size_t start = pos;
    bool endedInCR = false;
    while (pos < end) {
        if (bytes[pos] == '\n') break;
        if (bytes[pos] == '\r') {
            endedInCR = true;
            break;
        }
        ++pos;
    }
    std::string line(bytes.data() + start, pos - start);
    if (pos < end) {
        ++pos;
        if (endedInCR && pos < end && bytes[pos] == '\n') ++pos;
    }
    nextLinePos = static_cast<int32_t>(pos);
    return line;
}
