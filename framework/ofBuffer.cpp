#include "ofBuffer.h"

#include <cstring>

namespace {
const std::streamsize chunkSize = 64 * 1024;
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
    // Straight into the bytes, a chunk at a time, until the stream ends.
    for (;;) {
        const std::size_t have = size();
        bytes.resize(have + static_cast<std::size_t>(chunkSize) + 1);
        try {
            stream.read(bytes.data() + have, chunkSize);
        } catch (...) {
            // A stream that throws keeps what came before, still closed by 0.
            bytes.resize(have + 1);
            bytes[have] = 0;
            throw;
        }
        const std::size_t count = static_cast<std::size_t>(stream.gcount());
        bytes.resize(have + count + 1);
        bytes[have + count] = 0;
        if (count == 0 || !stream.good()) break;
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
    return nextLinePos == size();
}

std::string ofBuffer::getNextLine() {
    const std::size_t end = size();
    std::size_t pos = nextLinePos;
    if (pos >= end) return std::string();
    // memchr keeps long lines fast; a CR only counts when it comes before the
    // first LF.
    const char* const data = bytes.data();
    const void* lf = std::memchr(data + pos, '\n', end - pos);
    const std::size_t lfPos = lf != nullptr ? static_cast<std::size_t>(static_cast<const char*>(lf) - data) : end;
    const void* cr = std::memchr(data + pos, '\r', lfPos - pos);
    const bool endedInCR = cr != nullptr;
    const std::size_t stop = endedInCR ? static_cast<std::size_t>(static_cast<const char*>(cr) - data) : lfPos;
    std::string line(data + pos, stop - pos);
    pos = stop;
    if (pos < end) {
        ++pos;
        if (endedInCR && pos < end && data[pos] == '\n') ++pos;
    }
    nextLinePos = pos;
    return line;
}
