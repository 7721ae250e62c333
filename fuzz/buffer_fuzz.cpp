// Buffer line splitting: any bytes split into the lines a plain reference
// splitter finds (ends at LF, CR or CR LF, no empty last line), the split
// always ends, and size and text agree with the bytes.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "ofBuffer.h"

namespace {

std::vector<std::string> referenceLines(const std::string& data) {
    std::vector<std::string> lines;
    std::string line;
    for (size_t i = 0; i < data.size(); ++i) {
        const char c = data[i];
        if (c != '\n' && c != '\r') {
            line += c;
            continue;
        }
        lines.push_back(line);
        line.clear();
        if (c == '\r' && i + 1 < data.size() && data[i + 1] == '\n') ++i;
    }
    if (!line.empty()) lines.push_back(line);
    return lines;
}

void fail(const char* what) {
    std::fprintf(stderr, "buffer_fuzz: %s\n", what);
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    std::istringstream in(bytes);
    ofBuffer buffer(in);
    if (buffer.size() != size) fail("size differs from the input");
    if (std::string(buffer.getBinaryBuffer(), size) != bytes || buffer.getBinaryBuffer()[size] != 0)
        fail("bytes differ or lack their closing zero");
    if (buffer.getText() != bytes.substr(0, bytes.find('\0'))) fail("text is not the bytes up to the first zero");

    std::vector<std::string> lines;
    while (!buffer.isLastLine()) {
        if (lines.size() > size) fail("line splitting does not end");
        lines.push_back(buffer.getNextLine());
    }
    if (!buffer.getNextLine().empty()) fail("a line after the last one");
    if (lines != referenceLines(bytes)) fail("lines differ from the reference");

    ofBuffer copy(buffer);
    if (!copy.isLastLine() || copy.size() != size) fail("a copy lost its place or bytes");
    return 0;
}
