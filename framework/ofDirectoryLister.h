#pragma once

#include <string>
#include <vector>

#include <Poco/File.h>

#include "ofFile.h"

// Lists the entries of one folder below the data folder, unsorted, without
// hidden entries.
class ofDirectoryLister {
public:
    ofDirectoryLister();

    void open(const std::string& path);
    int listDirectory();
    int listDir(const std::string& path);

    int size() const;
    // Each raises std::out_of_range for an index outside the listing.
    std::string getName(std::size_t index) const;
    std::string getPath(std::size_t index) const;
    ofFile getFile(std::size_t index, ofFile::Mode mode = ofFile::Reference, bool binary = false) const;

private:
    Poco::File directory;
    std::string listedDirectory;
    std::vector<std::string> allowedExtensions;
    std::vector<ofFile> files;
    bool showHidden;
};
