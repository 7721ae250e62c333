#pragma once

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

#include <tinyxml.h>

#include "ofFileSave.h"

// An XML settings file in memory: typed reads and writes of element text by
// a ":"-separated tag path below a cursor element.
class ofxXmlConfig {
public:
    ofxXmlConfig();
    ~ofxXmlConfig() = default;

    // Fails, leaving an empty document, unless the whole file parses into
    // elements and the declarations the parser reads (a DOCTYPE ahead of the
    // first element, processing instructions), with nothing it could not
    // place; files nesting deeper than maxLoadDepth are refused unparsed, and
    // so is anything that cannot be read (a folder, a file over
    // maxLoadBytes). Logs nothing: the caller says what becomes of its file.
    // Removes temporaries left by a save of this file that was cut off.
    bool loadFile(const std::string& fileName);
    // Replaces the file only once the new one is completely written (see
    // ofSaveFileAtomically). Every value written reads back unchanged after a
    // load. Logs nothing on failure: getSaveResult says what happened.
    bool saveFile(const std::string& fileName);
    const ofFileSaveResult& getSaveResult() const { return saveResult; }

    // How the last load ended: only an Unparsed file was read, so only such a
    // file is known to be damaged rather than out of reach.
    enum LoadStatus { NotLoaded, Loaded, Missing, Unreadable, Unparsed };
    LoadStatus getLoadStatus() const { return loadStatus; }
    // Why the last load failed, for an Unreadable file and one nested too
    // deeply; empty otherwise.
    const std::string& getLoadError() const { return loadError; }
    // " (reason)" after such a load, "" after any other: how callers put the
    // reason into their one line about the file.
    std::string getLoadErrorNote() const { return loadError.empty() ? "" : " (" + loadError + ")"; }

    void clear();
    bool pushTag(const std::string& tag, int which = 0);
    int popTag();

    int getNumTags(const std::string& tag);
    bool tagExists(const std::string& tag, int which = 0);

    int getValue(const std::string& tag, int defaultValue, int which = 0);
    double getValue(const std::string& tag, double defaultValue, int which = 0);
    std::string getValue(const std::string& tag, const std::string& defaultValue, int which = 0);

    int setValue(const std::string& tag, int value, int which = 0);
    int setValue(const std::string& tag, double value, int which = 0);
    // Bytes that are not part of well-formed UTF-8 are stored as U+FFFD.
    int setValue(const std::string& tag, const std::string& value, int which = 0);
    int addTag(const std::string& tag);

    // Name and value of every child element of the cursor in file order, in
    // one walk ("" for an element without a value).
    std::vector<std::pair<std::string, std::string>> getChildValues();

    static constexpr int maxLoadDepth = 256;
    // Far above any file the game writes; a larger one is not ours.
    static constexpr std::size_t maxLoadBytes = 16u << 20;

private:
    static std::vector<std::string> tokenize(const std::string& path);
    TiXmlText* readTag(const std::string& tag, int which);
    int writeTag(const std::string& tag, const std::string& text, int which);

    TiXmlDocument doc;
    // Points into doc (owned here); reset to &doc by every load.
    TiXmlNode* currentElement = &doc;
    int level = 0;
    LoadStatus loadStatus = NotLoaded;
    std::string loadError;
    ofFileSaveResult saveResult;

    // The cursor points into the document, so a copy would point into the
    // wrong one.
    ofxXmlConfig(const ofxXmlConfig&) = delete;
    ofxXmlConfig& operator=(const ofxXmlConfig&) = delete;
};
