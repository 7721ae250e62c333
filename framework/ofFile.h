#pragma once

#include <fstream>
#include <string>

#include <Poco/File.h>

// A file stream bound to one path below the data folder.
class ofFile : public std::fstream {
public:
    enum Mode { Reference = 0, ReadOnly = 1, WriteOnly = 2, ReadWrite = 3, Append = 4 };

    ofFile();
    ofFile(const std::string& path, Mode mode = Reference, bool binary = false);
    // Copies never write: a writing file is copied as a read-only one.
    ofFile(const ofFile& other);
    ofFile& operator=(const ofFile& other);
    // Moving keeps the mode and the open stream.
    ofFile(ofFile&& other) noexcept;
    ~ofFile() override;

    bool open(const std::string& path, Mode mode = Reference, bool binary = false);
    bool changeMode(Mode mode, bool binary = false);

    // The path after the data folder was applied.
    std::string path() const;
    bool exists() const;
    std::string getExtension() const;

private:
    bool openStream(Mode mode, bool binary);
    bool isFolder() const;
    void copyFrom(const ofFile& other);

    Poco::File myFile;
    Mode mode;
};
