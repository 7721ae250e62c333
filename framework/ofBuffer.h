#pragma once

#include <cstddef>
#include <istream>
#include <string>
#include <vector>

// A block of bytes that always ends in one extra zero byte, so it reads as
// text, as raw bytes or line by line. The data may hold zero bytes.
class ofBuffer {
public:
    ofBuffer();
    ofBuffer(const ofBuffer& other) = default;
    ofBuffer& operator=(const ofBuffer& other) = default;
    explicit ofBuffer(std::istream& stream);
    ~ofBuffer();

    // Reads the stream to its end; false only when it was already bad.
    bool set(std::istream& stream);
    void clear();

    // Up to the first zero byte.
    std::string getText() const;
    const char* getBinaryBuffer() const;
    char* getBinaryBuffer();
    std::size_t size() const;

    // Lines end at LF, CR or CR LF; see getNextLine.
    std::string getNextLine();
    bool isLastLine() const;

private:
    std::vector<char> bytes;
    // A size, not an int: buffers may hold more than 2 GiB.
    std::size_t nextLinePos = 0;
};
