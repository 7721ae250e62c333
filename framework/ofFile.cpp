#include "ofFile.h"

#include "ofLog.h"
#include "ofUtils.h"

ofFile::ofFile() : mode(Reference) {}

ofFile::ofFile(const std::string& filePath, Mode m, bool binary) : mode(Reference) {
    open(filePath, m, binary);
}

ofFile::ofFile(const ofFile& other) : std::basic_ios<char>(), std::fstream(), mode(Reference) {
    copyFrom(other);
}

ofFile::ofFile(ofFile&& other) noexcept
    : std::basic_ios<char>(), std::fstream(std::move(other)), myFile(std::move(other.myFile)), mode(other.mode) {}

ofFile& ofFile::operator=(const ofFile& other) {
    if (&other != this) copyFrom(other);
    return *this;
}

ofFile::~ofFile() {
    close();
}

void ofFile::copyFrom(const ofFile& other) {
    Mode m = other.mode;
    if (m != Reference && m != ReadOnly) {
        ofLog(OF_LOG_WARNING, "ofFile: trying to copy a write file, opening copy as read only");
        m = ReadOnly;
    }
    // The other path already holds the data folder; open adds it only once.
    open(other.path(), m, false);
}

bool ofFile::open(const std::string& filePath, Mode m, bool binary) {
    myFile = Poco::File();
    close();
    clear();
    myFile = Poco::File(ofToDataPath(filePath, false));
    return openStream(m, binary);
}

bool ofFile::changeMode(Mode m, bool binary) {
    if (m == mode) return true;
    close();
    clear();
    return openStream(m, binary);
}

bool ofFile::openStream(Mode m, bool binary) {
    mode = m;
    const std::ios_base::openmode extra = binary ? std::ios_base::binary : std::ios_base::openmode();
    const std::string& p = myFile.path();
    switch (m) {
        case Reference:
            return true;
        case ReadOnly:
            // A folder opens for reading here, and its first read would throw.
            if (exists() && !isFolder()) std::fstream::open(p, std::ios_base::in | extra);
            break;
        case WriteOnly:
            std::fstream::open(p, std::ios_base::out | extra);
            break;
        case ReadWrite:
            std::fstream::open(p, std::ios_base::in | std::ios_base::out | extra);
            break;
        case Append:
            std::fstream::open(p, std::ios_base::out | std::ios_base::app | extra);
            break;
    }
    return is_open() && good();
}

std::string ofFile::path() const {
    return myFile.path();
}

bool ofFile::exists() const {
    if (myFile.path().empty()) return false;
    try {
        return myFile.exists();
    } catch (...) {
        return false;
    }
}

bool ofFile::isFolder() const {
    try {
        return myFile.isDirectory();
    } catch (...) {
        return false;
    }
}

std::string ofFile::getExtension() const {
    const std::string& p = myFile.path();
    const std::size_t dot = p.rfind('.');
    if (dot == std::string::npos) return std::string();
    return p.substr(dot + 1);
}
