#include "ofDirectoryLister.h"

#include <algorithm>
#include <stdexcept>

#include <Poco/DirectoryIterator.h>
#include <Poco/Exception.h>
#include <Poco/Path.h>

#include "ofLog.h"
#include "ofUtils.h"

ofDirectoryLister::ofDirectoryLister() : showHidden(false) {}

void ofDirectoryLister::open(const std::string& path) {
    Poco::Path folder;
    folder.parseDirectory(path);
    listedDirectory = folder.toString();
    files.clear();
    directory = Poco::File(ofToDataPath(listedDirectory, false));
}

int ofDirectoryLister::listDir(const std::string& path) {
    open(path);
    return listDirectory();
}

int ofDirectoryLister::listDirectory() {
    bool present = false;
    try {
        present = !directory.path().empty() && directory.exists();
    } catch (const Poco::Exception&) {
        present = false;
    }
    if (!present) {
        ofLog(OF_LOG_ERROR, std::string("ofDirectoryLister::listDirectory() error opening directory ") + listedDirectory);
        return size();
    }

    // A folder that cannot be read (or is no folder) keeps what was listed
    // before the failure.
    try {
        Poco::DirectoryIterator end;
        for (Poco::DirectoryIterator it(directory); it != end; ++it) {
            Poco::Path entry(listedDirectory);
            entry.setFileName(it.name());
            files.emplace_back(entry.toString(), ofFile::Reference, false);
        }
    } catch (const Poco::Exception& e) {
        ofLog(OF_LOG_ERROR, std::string("ofDirectoryLister::listDirectory() error listing directory ") +
                                listedDirectory + ": " + e.displayText());
    }

    if (!showHidden) {
        files.erase(std::remove_if(files.begin(), files.end(),
                                   [](const ofFile& f) {
                                       try {
                                           return Poco::File(f.path()).isHidden();
                                       } catch (const Poco::Exception&) {
                                           return false;
                                       }
                                   }),
                    files.end());
    }

    const bool anyExtension = allowedExtensions.empty() ||
                              std::find(allowedExtensions.begin(), allowedExtensions.end(), "*") !=
                                  allowedExtensions.end();
    if (!anyExtension) {
        files.erase(std::remove_if(files.begin(), files.end(),
                                   [this](const ofFile& f) {
                                       return std::find(allowedExtensions.begin(), allowedExtensions.end(),
                                                        f.getExtension()) == allowedExtensions.end();
                                   }),
                    files.end());
    }

    for (std::size_t i = 0; i < files.size(); ++i) ofLog(OF_LOG_VERBOSE, "\t" + getName(i));
    ofLog(OF_LOG_VERBOSE, "ofDirectoryLister::listDirectory() listed " + std::to_string(files.size()) +
                              " files in " + listedDirectory);
    return size();
}

int ofDirectoryLister::size() const {
    return static_cast<int>(files.size());
}

std::string ofDirectoryLister::getName(std::size_t index) const {
    return Poco::Path(files.at(index).path()).getFileName();
}

std::string ofDirectoryLister::getPath(std::size_t index) const {
    return listedDirectory + getName(index);
}

ofFile ofDirectoryLister::getFile(std::size_t index, ofFile::Mode mode, bool binary) const {
    ofFile file(files.at(index));
    file.changeMode(mode, binary);
    return file;
}
