#include "ofxXmlConfig.h"

#include <cctype>
#include <locale>
#include <memory>
#include <sstream>
#include <string_view>

#include "ofFileSave.h"
#include "ofLog.h"
#include "ofUtils.h"
#include "ofxXmlConfigPrinter.h"
#include "ofxXmlText.h"

using namespace ofxXmlText;

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

bool space(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

// Length of the XML name starting at from, 0 if none does; bytes of UTF-8
// sequences count as name characters.
std::size_t nameLength(const std::string& text, std::size_t from) {
    std::size_t at = from;
    for (; at < text.size(); ++at) {
        const unsigned char c = static_cast<unsigned char>(text[at]);
        const bool start = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' || c == ':' || c >= 0x80;
        const bool inside = (c >= '0' && c <= '9') || c == '-' || c == '.';
        if (!start && !(inside && at > from)) break;
    }
    return at - from;
}

// The parser keeps what stands between "<" and the next ">" of a node it
// cannot place; these two are declarations, any other is not ours.
bool processingInstruction(const std::string& value) {
    if (value.size() < 3 || value.front() != '?' || value.back() != '?') return false;
    const std::size_t end = 1 + nameLength(value, 1);
    return end > 1 && (end == value.size() - 1 || space(value[end]));
}

// One that has lost its ">" runs on to the next one and swallows what
// stands between, elements included; its quoted ids may hold a "<".
bool doctype(const std::string& value) {
    const std::string keyword = "!DOCTYPE";
    if (value.compare(0, keyword.size(), keyword) != 0) return false;
    bool quoteOpen = false;
    if (findOutsideQuotes(value, '<', 0, &quoteOpen) != std::string_view::npos || quoteOpen) return false;
    std::size_t at = keyword.size();
    while (at < value.size() && space(value[at])) ++at;
    return at > keyword.size() && nameLength(value, at) > 0;
}

bool endsWith(std::string_view text, std::string_view suffix) {
    return text.size() >= suffix.size() && text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

// An unknown node that no ">" closes, a comment that no "-->" closes, or a
// CDATA section that no "]]>" closes runs without an error to the end of the
// parsed text. Only the last node at the top can: inside an element, the end
// tag it swallowed is missed, which is an error.
bool ranToTheEnd(const TiXmlNode& last, std::string_view text) {
    if (last.Type() == TiXmlNode::TINYXML_UNKNOWN) return endsWith(text, "<" + last.ValueStr());
    const TiXmlText* cdata = last.ToText();
    if (last.Type() != TiXmlNode::TINYXML_COMMENT && (cdata == nullptr || !cdata->CDATA())) return false;
    // A closed one leaves its value and its closing mark ahead of white space
    // as the parser counts it, byte-order marks included; an unclosed one's
    // value is everything after its opening, which never ends so.
    for (;;) {
        if (text.size() >= 3 && skippedMarkAt(text, text.size() - 3)) text.remove_suffix(3);
        else if (!text.empty() && isParserSpace(static_cast<unsigned char>(text.back()))) text.remove_suffix(1);
        else break;
    }
    return !endsWith(text, last.ValueStr() + (cdata != nullptr ? "]]>" : "-->"));
}

// The parser ends an XML declaration (and "<?xml-stylesheet", which it takes
// for one) at the first ">", "?" or not: one that lost its "?>" swallows the
// markup up to the next, or runs to the end. Read as the parser reads: past
// comments, CDATA sections and quoted attribute values, where "<?xml" is text.
bool declarationSwallowed(std::string_view text) {
    const std::size_t n = text.size();
    for (std::size_t at = text.find('<'); at != std::string_view::npos; at = text.find('<', at)) {
        if (text.compare(at, 4, "<!--") == 0) {
            at = pastMark(text, at + 4, "-->");
        } else if (text.compare(at, 9, "<![CDATA[") == 0) {
            at = pastMark(text, at + 9, "]]>");
        } else if (startsWithNoCase(text.substr(at), "<?xml")) {
            const std::size_t close = text.find('>', at);
            if (close == std::string_view::npos || text.find('<', at + 1) < close) return true;
            at = close + 1;
        } else if (const unsigned char c = at + 1 < n ? static_cast<unsigned char>(text[at + 1]) : 0;
                   std::isalpha(c) || c == '_' || c >= 127) {
            const std::size_t close = findOutsideQuotes(text, '>', at + 1);
            at = close == std::string_view::npos ? n : close + 1;
        } else {
            at = pastMark(text, at + 1, ">");
        }
    }
    return false;
}

// A settings document holds elements, one DOCTYPE ahead of the first of
// them and processing instructions, and nothing else the parser could not
// place ("<<garbage" parses without an error, as one unknown node), nor a
// node that ran on over what followed it.
bool settingsDocument(const TiXmlDocument& doc, std::string_view text) {
    if (doc.FirstChildElement() == nullptr || ranToTheEnd(*doc.LastChild(), text) || declarationSwallowed(text))
        return false;
    bool prolog = true, doctypeSeen = false;
    std::vector<const TiXmlNode*> open = {&doc};
    while (!open.empty()) {
        const TiXmlNode* node = open.back();
        open.pop_back();
        for (const TiXmlNode* child = node->FirstChild(); child != nullptr; child = child->NextSibling()) {
            if (node == &doc && child->ToElement() != nullptr) prolog = false;
            // XML forbids "--" in a comment; a "<!--" there is one that lost
            // its "-->" and ran on to a later comment's, over all between.
            if (child->Type() == TiXmlNode::TINYXML_COMMENT && child->ValueStr().find("<!--") != std::string::npos)
                return false;
            if (child->Type() == TiXmlNode::TINYXML_UNKNOWN) {
                const std::string& value = child->ValueStr();
                const bool type = node == &doc && prolog && !doctypeSeen && doctype(value);
                doctypeSeen = doctypeSeen || type;
                if (!(type || processingInstruction(value))) return false;
            }
            if (child->FirstChild() != nullptr) open.push_back(child);
        }
    }
    return true;
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
    ofRemoveStaleSaveTemporaries(path);
    doc.Clear();
    level = 0;
    currentElement = &doc;
    loadError.clear();

    // Each caller says in one line what became of its file, with the reason.
    std::string text;
    const ofFileReadStatus read = ofReadWholeFile(path, text, loadError, maxLoadBytes);
    if (read != ofFileReadStatus::Read) {
        loadStatus = read == ofFileReadStatus::Missing ? Missing : Unreadable;
        return false;
    }
    loadStatus = Unparsed;
    // The parser recurses once per level and would overflow the stack long
    // before running out of input.
    if (ofxXmlConfigPrinter::nestedDeeperThan(text, maxLoadDepth)) {
        loadError = "nests elements deeper than " + std::to_string(maxLoadDepth) + " levels";
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
                       onlyPadding(parsedEnd, textEnd) &&
                       settingsDocument(doc, std::string_view(begin, static_cast<std::size_t>(parsedEnd - begin)));
    // Half a parsed file is worse than none: callers write their defaults.
    if (!whole) doc.Clear();
    if (whole) loadStatus = Loaded;
    return whole;
}

bool ofxXmlConfig::saveFile(const std::string& fileName) {
    saveResult = ofSaveFileAtomically(ofToDataPath(fileName, false), ofxXmlConfigPrinter::print(doc));
    return saveResult.saved();
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

std::vector<std::pair<std::string, std::string>> ofxXmlConfig::getChildValues() {
    std::vector<std::pair<std::string, std::string>> children;
    for (TiXmlElement* e = currentElement->FirstChildElement(); e != nullptr; e = e->NextSiblingElement()) {
        const TiXmlNode* first = e->FirstChild();
        const TiXmlText* text = first != nullptr ? first->ToText() : nullptr;
        children.emplace_back(e->ValueStr(), text != nullptr ? text->ValueStr() : std::string());
    }
    return children;
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
