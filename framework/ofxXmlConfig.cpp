#include "ofxXmlConfig.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <locale>
#include <memory>
#include <sstream>

#include "ofLog.h"
#include "ofUtils.h"

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

bool isXmlSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v';
}

// The printer writes control characters as character references, which
// survive a load; plain spaces do not: the parser trims and folds them and
// drops texts that are empty or all white space. Such a text is written as a
// CDATA section, which reads back unchanged.
bool needsCData(const std::string& text) {
    if (text.empty()) return true;
    if (text.find("]]>") != std::string::npos) return false;
    if (std::all_of(text.begin(), text.end(), isXmlSpace)) return true;
    return text.front() == ' ' || text.back() == ' ' || text.find("  ") != std::string::npos;
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
    const bool loaded = doc.LoadFile(ofToDataPath(fileName, false), TIXML_DEFAULT_ENCODING);
    // Half a parsed file is worse than none: callers write their defaults.
    if (!loaded) doc.Clear();
    level = 0;
    currentElement = &doc;
    return loaded;
}

bool ofxXmlConfig::saveFile(const std::string& fileName) {
    TiXmlPrinter printer;
    doc.Accept(&printer);
    const std::string text = printer.Str();

    const std::string target = ofToDataPath(fileName, false);
    static std::atomic<unsigned> counter{0};
    std::string temp;
    int fd = -1;
    for (int attempt = 0; attempt < 16 && fd < 0; ++attempt) {
        temp = target + ".tmp" + std::to_string(getpid()) + "_" + std::to_string(counter++);
        fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST) break;
    }
    if (fd < 0) return false;

    bool ok = writeAll(fd, text);
    ok = ok && ::fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    ok = ok && std::rename(temp.c_str(), target.c_str()) == 0;
    if (!ok) ::unlink(temp.c_str());
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
    return writeTag(tag, value, which) - 1;
}

int ofxXmlConfig::addTag(const std::string& tag) {
    return writeTag(tag, "", -1) - 1;
}

int ofxXmlConfig::writeTag(const std::string& tag, const std::string& text, int which) {
    const std::vector<std::string> names = tokenize(tag);
    if (names.empty()) return 0;

    // Nodes are made only for the part of the path that is really added.
    auto makeText = [&text] {
        auto node = std::make_unique<TiXmlText>(text);
        node->SetCDATA(needsCData(text));
        return node;
    };

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
