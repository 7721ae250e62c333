#include "ofxXmlText.h"

#include <cctype>

namespace ofxXmlText {

bool isParserSpace(unsigned char c) {
    return std::isspace(c) != 0 || c == '\n' || c == '\r';
}

bool skippedMarkAt(std::string_view text, std::size_t at) {
    if (at + 3 > text.size() || static_cast<unsigned char>(text[at]) != 0xEF) return false;
    const unsigned char b1 = static_cast<unsigned char>(text[at + 1]);
    const unsigned char b2 = static_cast<unsigned char>(text[at + 2]);
    return (b1 == 0xBB && b2 == 0xBF) || (b1 == 0xBF && (b2 == 0xBE || b2 == 0xBF));
}

bool startsWithNoCase(std::string_view text, std::string_view prefix) {
    if (text.size() < prefix.size()) return false;
    for (std::size_t i = 0; i < prefix.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(text[i])) != std::tolower(static_cast<unsigned char>(prefix[i])))
            return false;
    return true;
}

std::size_t findOutsideQuotes(std::string_view text, char c, std::size_t from, bool* quoteOpen) {
    char quote = 0;
    for (std::size_t at = from; at < text.size(); ++at) {
        if (quote != 0) quote = text[at] == quote ? 0 : quote;
        else if (text[at] == '"' || text[at] == '\'') quote = text[at];
        else if (text[at] == c) return at;
    }
    if (quoteOpen != nullptr) *quoteOpen = quote != 0;
    return std::string_view::npos;
}

std::size_t pastMark(std::string_view text, std::size_t from, std::string_view mark) {
    const std::size_t found = text.find(mark, from);
    return found == std::string_view::npos ? text.size() : found + mark.size();
}

}  // namespace ofxXmlText
