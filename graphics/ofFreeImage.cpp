#include "ofFreeImage.h"

#include <FreeImage.h>

#include <string>

#include "ofLog.h"

namespace {
// Stays true after the shutdown: nothing may use the library again then.
bool freeImageInitialised = false;

// FreeImage's reasons for refusing a picture would otherwise be lost.
// One log line per message: line breaks inside it become spaces.
void logFreeImageMessage(FREE_IMAGE_FORMAT format, const char* message) {
    std::string text;
    for (const char* c = message != nullptr ? message : ""; *c != '\0'; ++c) {
        bool space = *c == '\n' || *c == '\r' || *c == ' ';
        if (space && (text.empty() || text.back() == ' ')) continue;
        text += space ? ' ' : *c;
    }
    while (!text.empty() && text.back() == ' ') text.pop_back();
    const char* name = format != FIF_UNKNOWN ? FreeImage_GetFormatFromFIF(format) : nullptr;
    ofLogWarning("OF") << "FreeImage: " << (name != nullptr ? std::string(name) + ": " : std::string()) << text;
}
}  // namespace

void ofInitFreeImage() {
    if (!freeImageInitialised) {
        FreeImage_Initialise(FALSE);
        FreeImage_SetOutputMessage(logFreeImageMessage);
        freeImageInitialised = true;
    }
}

void ofCloseFreeImage() {
    if (freeImageInitialised) FreeImage_DeInitialise();
}
