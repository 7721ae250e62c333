#include "XdndDropTarget.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <unistd.h>

#include <cstring>

namespace {

const long xdndVersion = 5;

int ignoreXError(Display*, XErrorEvent*) {
    return 0;
}

// The peer may vanish at any moment; its errors must not end the process.
class ErrorTrap {
public:
    explicit ErrorTrap(Display* d) : display(d), previous(XSetErrorHandler(ignoreXError)) {}
    ~ErrorTrap() {
        XSync(display, False);
        XSetErrorHandler(previous);
    }

private:
    Display* display;
    int (*previous)(Display*, XErrorEvent*);
};

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

std::string percentDecode(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size()) {
            int hi = hexValue(text[i + 1]);
            int lo = hexValue(text[i + 2]);
            if (hi >= 0 && lo >= 0) {
                out += static_cast<char>(hi * 16 + lo);
                i += 2;
                continue;
            }
        }
        out += text[i];
    }
    return out;
}

bool isLocalHost(const std::string& host) {
    if (host.empty() || host == "localhost") return true;
    char name[256] = {0};
    if (gethostname(name, sizeof(name) - 1) != 0) return false;
    return host == name;
}

}  // namespace

struct XdndDropTarget::State {
    Display* display = nullptr;
    Window target = 0;
    Window proxy = 0;
    Atom aware, proxyAtom, enter, position, status, leave, drop, finished;
    Atom selection, uriList, actionCopy, typeList, dataProperty;

    Window source = 0;
    bool acceptable = false;
    bool awaitingData = false;
    int x = 0, y = 0;

    void sendToSource(Atom type, long l1, long l2, long l3, long l4) {
        XEvent e;
        std::memset(&e, 0, sizeof(e));
        e.xclient.type = ClientMessage;
        e.xclient.display = display;
        e.xclient.window = source;
        e.xclient.message_type = type;
        e.xclient.format = 32;
        e.xclient.data.l[0] = static_cast<long>(target);
        e.xclient.data.l[1] = l1;
        e.xclient.data.l[2] = l2;
        e.xclient.data.l[3] = l3;
        e.xclient.data.l[4] = l4;
        ErrorTrap trap(display);
        XSendEvent(display, source, False, NoEventMask, &e);
    }

    void finish(bool accepted) {
        sendToSource(finished, accepted ? 1 : 0, accepted ? static_cast<long>(actionCopy) : 0, 0, 0);
        source = 0;
        acceptable = false;
        awaitingData = false;
    }

    bool offersUriList(const XClientMessageEvent& m) {
        if (m.data.l[1] & 1) {
            Atom type;
            int format;
            unsigned long count = 0, after = 0;
            unsigned char* data = nullptr;
            bool found = false;
            ErrorTrap trap(display);
            if (XGetWindowProperty(display, static_cast<Window>(m.data.l[0]), typeList, 0, 1024, False,
                                   XA_ATOM, &type, &format, &count, &after, &data) == Success &&
                data && format == 32) {
                Atom* atoms = reinterpret_cast<Atom*>(data);
                for (unsigned long i = 0; i < count; ++i)
                    if (atoms[i] == uriList) found = true;
            }
            if (data) XFree(data);
            return found;
        }
        for (int i = 2; i <= 4; ++i)
            if (static_cast<Atom>(m.data.l[i]) == uriList) return true;
        return false;
    }

    bool readData(Drop& out) {
        Atom type;
        int format;
        unsigned long count = 0, after = 0;
        unsigned char* data = nullptr;
        std::string list;
        bool ok = false;
        {
            ErrorTrap trap(display);
            if (XGetWindowProperty(display, proxy, dataProperty, 0, 1 << 24, True, AnyPropertyType, &type,
                                   &format, &count, &after, &data) == Success &&
                data && format == 8) {
                list.assign(reinterpret_cast<char*>(data), count);
                ok = true;
            }
            if (data) XFree(data);
        }
        if (!ok) return false;
        out.files = parseUriList(list);
        out.x = x;
        out.y = y;
        return true;
    }
};

XdndDropTarget::XdndDropTarget() : state(nullptr) {}

XdndDropTarget::~XdndDropTarget() {
    detach();
}

bool XdndDropTarget::attach(unsigned long window) {
    detach();
    Display* display = XOpenDisplay(nullptr);
    if (!display) return false;
    state = new State;
    State& s = *state;
    s.display = display;
    s.target = window;
    s.aware = XInternAtom(display, "XdndAware", False);
    s.proxyAtom = XInternAtom(display, "XdndProxy", False);
    s.enter = XInternAtom(display, "XdndEnter", False);
    s.position = XInternAtom(display, "XdndPosition", False);
    s.status = XInternAtom(display, "XdndStatus", False);
    s.leave = XInternAtom(display, "XdndLeave", False);
    s.drop = XInternAtom(display, "XdndDrop", False);
    s.finished = XInternAtom(display, "XdndFinished", False);
    s.selection = XInternAtom(display, "XdndSelection", False);
    s.uriList = XInternAtom(display, "text/uri-list", False);
    s.actionCopy = XInternAtom(display, "XdndActionCopy", False);
    s.typeList = XInternAtom(display, "XdndTypeList", False);
    s.dataProperty = XInternAtom(display, "VX_XDND_DATA", False);

    s.proxy = XCreateSimpleWindow(display, DefaultRootWindow(display), -10, -10, 1, 1, 0, 0, 0);
    long version = xdndVersion;
    long proxyId = static_cast<long>(s.proxy);
    ErrorTrap trap(display);
    XChangeProperty(display, s.proxy, s.aware, XA_ATOM, 32, PropModeReplace,
                    reinterpret_cast<unsigned char*>(&version), 1);
    XChangeProperty(display, s.proxy, s.proxyAtom, XA_WINDOW, 32, PropModeReplace,
                    reinterpret_cast<unsigned char*>(&proxyId), 1);
    XChangeProperty(display, s.target, s.aware, XA_ATOM, 32, PropModeReplace,
                    reinterpret_cast<unsigned char*>(&version), 1);
    XChangeProperty(display, s.target, s.proxyAtom, XA_WINDOW, 32, PropModeReplace,
                    reinterpret_cast<unsigned char*>(&proxyId), 1);
    return true;
}

void XdndDropTarget::detach() {
    if (!state) return;
    {
        ErrorTrap trap(state->display);
        XDeleteProperty(state->display, state->target, state->proxyAtom);
        XDeleteProperty(state->display, state->target, state->aware);
        XDestroyWindow(state->display, state->proxy);
    }
    XCloseDisplay(state->display);
    delete state;
    state = nullptr;
}

bool XdndDropTarget::attached() const {
    return state != nullptr;
}

unsigned long XdndDropTarget::proxyWindow() const {
    return state ? state->proxy : 0;
}

bool XdndDropTarget::poll(Drop& drop) {
    if (!state) return false;
    State& s = *state;
    bool delivered = false;
    while (XPending(s.display) > 0) {
        XEvent e;
        XNextEvent(s.display, &e);
        if (e.type == SelectionNotify && e.xselection.requestor == s.proxy) {
            if (!s.awaitingData) continue;
            bool ok = e.xselection.property != None && s.readData(drop);
            s.finish(ok);
            if (ok) {
                delivered = true;
                break;  // one drop per call; the rest waits for the next
            }
            continue;
        }
        if (e.type != ClientMessage) continue;
        const XClientMessageEvent& m = e.xclient;
        Window from = static_cast<Window>(m.data.l[0]);
        if (m.message_type == s.enter) {
            s.source = from;
            s.awaitingData = false;
            s.acceptable = (m.data.l[1] >> 24) >= 3 && s.offersUriList(m);
        } else if (m.message_type == s.position) {
            if (from != s.source) continue;
            int rootX = static_cast<int>((m.data.l[2] >> 16) & 0xFFFF);
            int rootY = static_cast<int>(m.data.l[2] & 0xFFFF);
            Window child;
            {
                ErrorTrap trap(s.display);
                if (!XTranslateCoordinates(s.display, DefaultRootWindow(s.display), s.target, rootX, rootY,
                                           &s.x, &s.y, &child)) {
                    s.x = rootX;
                    s.y = rootY;
                }
            }
            s.sendToSource(s.status, s.acceptable ? 1 : 0, 0, 0,
                           s.acceptable ? static_cast<long>(s.actionCopy) : 0);
        } else if (m.message_type == s.leave) {
            if (from == s.source) {
                s.source = 0;
                s.acceptable = false;
                s.awaitingData = false;
            }
        } else if (m.message_type == s.drop) {
            if (from != s.source) continue;
            if (!s.acceptable) {
                s.finish(false);
                continue;
            }
            s.awaitingData = true;
            Time time = static_cast<Time>(m.data.l[2]);
            XConvertSelection(s.display, s.selection, s.uriList, s.dataProperty, s.proxy, time);
            XFlush(s.display);
        }
    }
    return delivered;
}

std::vector<std::string> XdndDropTarget::parseUriList(const std::string& list) {
    std::vector<std::string> files;
    size_t start = 0;
    while (start <= list.size()) {
        size_t end = list.find('\n', start);
        if (end == std::string::npos) end = list.size();
        std::string line = list.substr(start, end - start);
        start = end + 1;
        while (!line.empty() && (line.back() == '\r' || line.back() == '\0')) line.pop_back();
        if (line.empty() || line[0] == '#') continue;
        const std::string scheme = "file:";
        if (line.compare(0, scheme.size(), scheme) != 0) continue;
        std::string rest = line.substr(scheme.size());
        if (rest.compare(0, 2, "//") == 0) {
            size_t slash = rest.find('/', 2);
            if (slash == std::string::npos) continue;
            if (!isLocalHost(rest.substr(2, slash - 2))) continue;
            rest = rest.substr(slash);
        }
        if (rest.empty() || rest[0] != '/') continue;
        std::string path = percentDecode(rest);
        if (path.find('\0') != std::string::npos) continue;
        files.push_back(path);
    }
    return files;
}
