#include "ofxXmlConfig.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <locale>
#include <memory>
#include <mutex>
#include <set>
#include <sstream>

#include "ofLog.h"
#include "ofUtils.h"
#include "ofxXmlConfigPrinter.h"

namespace {

TiXmlElement* nthChildElement(TiXmlNode* parent, const std::string& name, int which) {
    if (parent == nullptr) return nullptr;
    TiXmlElement* child = parent->FirstChildElement(name);
    for (int i = 0; child != nullptr && i < which; ++i) child = child->NextSiblingElement(name);
    return child;
}

// The name pushTag and getNumTags look at: the part before a ":" that is not
// the first character, else the whole tag.
std::string firstName(const std::string& tag) {
    const std::size_t colon = tag.find(':');
    if (colon != std::string::npos && colon >= 1) return tag.substr(0, colon);
    return tag;
}

std::string numberText(double value) {
    std::ostringstream out;
    out.imbue(std::locale::classic());
    out << value;
    return out.str();
}

bool writeAll(int fd, const std::string& data) {
    const char* p = data.data();
    std::size_t left = data.size();
    while (left > 0) {
        ssize_t n = ::write(fd, p, left);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        p += n;
        left -= static_cast<std::size_t>(n);
    }
    return true;
}

// Temporaries this process is writing right now; every other one of ours is
// left from an earlier run whose process had the same id.
std::mutex tempMutex;
std::set<std::string> tempsInFlight;

// A save writes "<name>.tmp<pid>_<n>" beside the file and renames it. One
// killed in between leaves that temporary behind; it is stale when its process
// is gone, or is this one and no save of ours is writing it.
void removeStaleTemporaries(const std::string& target) {
    const std::size_t slash = target.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : target.substr(0, slash + 1);
    const std::string prefix = (slash == std::string::npos ? target : target.substr(slash + 1)) + ".tmp";
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr) return;
    std::vector<std::string> stale;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (name.compare(0, prefix.size(), prefix) != 0) continue;
        const std::size_t underscore = name.find('_', prefix.size());
        if (underscore == std::string::npos || underscore == prefix.size() || underscore + 1 == name.size() ||
            underscore - prefix.size() > 9)
            continue;
        const std::string pidText = name.substr(prefix.size(), underscore - prefix.size());
        const std::string countText = name.substr(underscore + 1);
        auto digits = [](const std::string& t) { return t.find_first_not_of("0123456789") == std::string::npos; };
        if (!digits(pidText) || !digits(countText)) continue;
        const pid_t pid = static_cast<pid_t>(std::stol(pidText));
        const std::string path = (slash == std::string::npos ? "" : folder) + name;
        bool gone;
        if (pid == ::getpid()) {
            std::lock_guard<std::mutex> lock(tempMutex);
            gone = tempsInFlight.count(path) == 0;
        } else {
            gone = pid <= 0 || (::kill(pid, 0) != 0 && errno == ESRCH);
        }
        if (gone) stale.push_back(path);
    }
    ::closedir(dir);
    for (const std::string& path : stale) ::unlink(path.c_str());
}

bool readWholeFile(const std::string& path, std::string& text) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

// True when nothing but white space or zero bytes follows from.
bool onlyPadding(const char* from, const char* end) {
    for (; from < end; ++from)
        if (*from != 0 && *from != ' ' && *from != '\t' && *from != '\n' && *from != '\r') return false;
    return true;
}

}  // namespace

ofxXmlConfig::ofxXmlConfig() : currentElement(&doc), level(0) {}

std::vector<std::string> ofxXmlConfig::tokenize(const std::string& path) {
    std::vector<std::string> names;
    std::size_t start = 0;
    while (start < path.size()) {
        std::size_t colon = path.find(':', start);
        if (colon == std::string::npos) colon = path.size();
        if (colon > start) names.push_back(path.substr(start, colon - start));
        start = colon + 1;
    }
    return names;
}

bool ofxXmlConfig::loadFile(const std::string& fileName) {
    const std::string path = ofToDataPath(fileName, false);
    removeStaleTemporaries(path);
    doc.Clear();
    level = 0;
    currentElement = &doc;

    std::string text;
    if (!readWholeFile(path, text)) return false;
    // The parser recurses once per level and would overflow the stack long
    // before running out of input.
    if (ofxXmlConfigPrinter::nestedDeeperThan(text, maxLoadDepth)) {
        ofLogError() << "ofxXmlConfig: " << fileName << " nests elements deeper than " << maxLoadDepth
                     << " levels, not loaded";
        return false;
    }
    // Parsed from memory: the file loader would fold CR LF inside CDATA too.
    // The parser stops at the first zero byte, and quietly at text it cannot
    // place (an internal DTD subset, say): anything after that but padding
    // means the document was not read whole.
    const char* const begin = text.c_str();
    const char* const textEnd = begin + text.size();
    const char* const parsedEnd = begin + std::char_traits<char>::length(begin);
    const char* const stop = doc.Parse(begin, nullptr, TIXML_DEFAULT_ENCODING);
    const bool whole = !doc.Error() && onlyPadding(stop != nullptr ? stop : parsedEnd, parsedEnd) &&
                       onlyPadding(parsedEnd, textEnd);
    // Half a parsed file is worse than none: callers write their defaults.
    if (!whole) doc.Clear();
    return whole;
}

bool ofxXmlConfig::saveFile(const std::string& fileName) {
    const std::string text = ofxXmlConfigPrinter::print(doc);

    const std::string target = ofToDataPath(fileName, false);
    removeStaleTemporaries(target);
    static std::atomic<unsigned> counter{0};
    std::string temp;
    int fd = -1;
    for (int attempt = 0; attempt < 16 && fd < 0; ++attempt) {
        temp = target + ".tmp" + std::to_string(getpid()) + "_" + std::to_string(counter++);
        std::lock_guard<std::mutex> lock(tempMutex);
        fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) tempsInFlight.insert(temp);
        if (fd < 0 && errno != EEXIST) break;
    }
    if (fd < 0) return false;

    bool ok = writeAll(fd, text);
    ok = ok && ::fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    ok = ok && std::rename(temp.c_str(), target.c_str()) == 0;
    if (!ok) ::unlink(temp.c_str());
    std::lock_guard<std::mutex> lock(tempMutex);
    tempsInFlight.erase(temp);
    return ok;
}

void ofxXmlConfig::clear() {
    currentElement->Clear();
}

bool ofxXmlConfig::pushTag(const std::string& tag, int which) {
    TiXmlElement* found = nthChildElement(currentElement, firstName(tag), which);
    if (found == nullptr) {
        ofLogError() << "pushTag - <" << tag << "> tag not found";
        return false;
    }
    currentElement = found;
    ++level;
    return true;
}

int ofxXmlConfig::popTag() {
    if (level < 1 || currentElement->Parent() == nullptr) {
        currentElement = &doc;
        level = 0;
    } else {
        currentElement = currentElement->Parent();
        --level;
    }
    return level;
}

int ofxXmlConfig::getNumTags(const std::string& tag) {
    const std::string name = firstName(tag);
    int count = 0;
    for (TiXmlElement* e = currentElement->FirstChildElement(name); e != nullptr; e = e->NextSiblingElement(name))
        ++count;
    return count;
}

bool ofxXmlConfig::tagExists(const std::string& tag, int which) {
    const std::vector<std::string> names = tokenize(tag);
    if (names.empty()) return false;
    TiXmlNode* node = currentElement;
    for (std::size_t i = 0; i < names.size() && node != nullptr; ++i)
        node = nthChildElement(node, names[i], i == 0 ? which : 0);
    return node != nullptr;
}

TiXmlText* ofxXmlConfig::readTag(const std::string& tag, int which) {
    TiXmlNode* node = currentElement;
    const std::vector<std::string> names = tokenize(tag);
    for (std::size_t i = 0; i < names.size() && node != nullptr; ++i)
        node = nthChildElement(node, names[i], i == 0 ? which : 0);
    if (node == nullptr) return nullptr;
    TiXmlNode* first = node->FirstChild();
    return first != nullptr ? first->ToText() : nullptr;
}

int ofxXmlConfig::getValue(const std::string& tag, int defaultValue, int which) {
    TiXmlText* text = readTag(tag, which);
    return text != nullptr ? ofToInt(text->ValueStr()) : defaultValue;
}

double ofxXmlConfig::getValue(const std::string& tag, double defaultValue, int which) {
    TiXmlText* text = readTag(tag, which);
    return text != nullptr ? static_cast<double>(ofToFloat(text->ValueStr())) : defaultValue;
}

std::string ofxXmlConfig::getValue(const std::string& tag, const std::string& defaultValue, int which) {
    TiXmlText* text = readTag(tag, which);
    return text != nullptr ? text->ValueStr() : defaultValue;
}

int ofxXmlConfig::setValue(const std::string& tag, int value, int which) {
    return writeTag(tag, ofToString(value), which) - 1;
}

int ofxXmlConfig::setValue(const std::string& tag, double value, int which) {
    return writeTag(tag, numberText(value), which) - 1;
}

int ofxXmlConfig::setValue(const std::string& tag, const std::string& value, int which) {
    // A byte that is not UTF-8 would make a file declaring UTF-8 unreadable;
    // it is kept as U+FFFD, in memory and in the file alike.
    return writeTag(tag, ofxXmlConfigPrinter::validUtf8(value), which) - 1;
}

int ofxXmlConfig::addTag(const std::string& tag) {
    return writeTag(tag, "", -1) - 1;
}

int ofxXmlConfig::writeTag(const std::string& tag, const std::string& text, int which) {
    const std::vector<std::string> names = tokenize(tag);
    if (names.empty()) return 0;

    // Nodes are made only for the part of the path that is really added.
    auto makeText = [&text] { return std::make_unique<TiXmlText>(text); };

    bool append = which == -1;
    TiXmlNode* node = currentElement;
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (i > 0) {
            which = 0;
            append = false;
        }
        TiXmlElement* found = nthChildElement(node, names[i], which);
        if (found == nullptr || append) {
            std::unique_ptr<TiXmlNode> chain = makeText();
            for (std::size_t k = names.size(); k-- > i;) {
                auto element = std::make_unique<TiXmlElement>(names[k]);
                element->LinkEndChild(chain.release());
                chain = std::move(element);
            }
            node->LinkEndChild(chain.release());
            break;
        }
        node = found;
        if (i + 1 == names.size()) {
            found->Clear();
            found->LinkEndChild(makeText().release());
        }
    }
    return getNumTags(names[0]);
}
