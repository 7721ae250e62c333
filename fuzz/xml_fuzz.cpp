// XML settings: any file loads or fails without a crash, and a loaded file
// saves into one that loads again. The same bytes, read as a list of values,
// are written under a declaration the first byte picks; every value must read
// back after a save and a load exactly as it read right after being written,
// which is the value itself with bad UTF-8 bytes as U+FFFD.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <sys/stat.h>
#include <vector>

#include "ofLog.h"
#include "ofxXmlConfig.h"
#include "ofxXmlConfigPrinter.h"

namespace {

// Files go to a private folder, in memory where there is one (every save
// syncs its file), named by absolute paths, which the data path leaves alone.
// Removed again at exit.
char workDir[] = "/dev/shm/vx_xml_fuzz_XXXXXX";
char fallbackDir[] = "/tmp/vx_xml_fuzz_XXXXXX";
const char* usedDir = nullptr;

void removeWorkDir() {
    for (const char* name : {"/input.xml", "/resaved.xml", "/values.xml"})
        ::unlink((std::string(usedDir) + name).c_str());
    ::rmdir(usedDir);
}

// The folder with a closing "/".
const std::string& folder() {
    static const std::string name = [] {
        usedDir = ::mkdtemp(workDir);
        if (usedDir == nullptr) usedDir = ::mkdtemp(fallbackDir);
        if (usedDir == nullptr) {
            std::perror("xml_fuzz: no work folder");
            std::abort();
        }
        std::atexit(removeWorkDir);
        ofSetLogLevel(OF_LOG_SILENT);
        return std::string(usedDir) + "/";
    }();
    return name;
}

void fail(const char* what) {
    std::fprintf(stderr, "xml_fuzz: %s\n", what);
    std::abort();
}

void loadAndResave(const uint8_t* data, size_t size) {
    const std::string name = folder() + "input.xml";
    std::ofstream(name, std::ios::binary).write(reinterpret_cast<const char*>(data), size);
    ofxXmlConfig xml;
    if (!xml.loadFile(name)) return;
    if (!xml.saveFile(folder() + "resaved.xml")) fail("save of a loaded file failed");
    ofxXmlConfig again;
    if (!again.loadFile(folder() + "resaved.xml")) fail("a loaded file saved into one that does not load");
}

void writeValuesAndReadBack(const uint8_t* data, size_t size) {
    if (size == 0) return;
    static const char* const declarations[] = {"", "<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\n",
                                               "<?xml version=\"1.0\" ?>\n",
                                               "<?xml version=\"1.0\" encoding=\"ISO-8859-1\" ?>\n"};
    static const char* const paths[] = {"T", "A:B", "A:C:D", "E"};
    const std::string name = folder() + "values.xml";
    std::ofstream(name) << declarations[data[0] % 4] << "<KEEP>1</KEEP>\n";
    ofxXmlConfig xml;
    if (!xml.loadFile(name)) fail("the starting file did not load");

    // Each value: one byte of length, then that many bytes.
    struct Written {
        std::string path, value;
    };
    std::vector<Written> written;
    size_t pos = 1;
    while (pos < size) {
        const size_t length = std::min<size_t>(data[pos], size - pos - 1);
        const std::string raw(reinterpret_cast<const char*>(data) + pos + 1, length);
        pos += 1 + length;
        const std::string path = std::string("V") + std::to_string(written.size()) + ":" + paths[raw.size() % 4];
        xml.setValue(path, raw, -1);
        const std::string now = xml.getValue(path, std::string("<missing>"));
        if (now != ofxXmlConfigPrinter::validUtf8(raw)) fail("a value read right after writing differs");
        written.push_back({path, now});
    }
    if (!xml.saveFile(name)) fail("save failed");
    ofxXmlConfig back;
    if (!back.loadFile(name)) fail("a saved file does not load");
    if (back.getValue("KEEP", 0) != 1) fail("a loaded value was lost");
    for (const Written& w : written)
        if (back.getValue(w.path, std::string("<missing>")) != w.value) fail("a written value did not read back");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    loadAndResave(data, size);
    writeValuesAndReadBack(data, size);
    return 0;
}
