#pragma once

#include <X11/Xlib.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <string>
#include <thread>
#include <vector>

// The drag source half of XDND, as a file manager would speak it.
class XdndSource {
public:
    explicit XdndSource(Display* d) : display(d), source(XCreateSimpleWindow(d, DefaultRootWindow(d), 0, 0, 1, 1, 0, 0, 0)) {}
    ~XdndSource() { XDestroyWindow(display, source); }

    Atom atom(const char* name) { return XInternAtom(display, name, False); }

    Window readWindowProperty(Window w, const char* name) {
        Atom type;
        int format;
        unsigned long count = 0, after;
        unsigned char* data = nullptr;
        Window result = 0;
        if (XGetWindowProperty(display, w, atom(name), 0, 1, False, AnyPropertyType, &type, &format, &count, &after,
                               &data) == Success && data && count == 1)
            result = static_cast<Window>(*reinterpret_cast<long*>(data));
        if (data) XFree(data);
        return result;
    }

    void send(Window to, Window target, const char* type, long l1, long l2, long l3, long l4) {
        XClientMessageEvent e{ClientMessage, 0, False, nullptr, target, atom(type), 32, {}};
        const long data[] = {static_cast<long>(source), l1, l2, l3, l4};
        std::copy(data, data + 5, e.data.l);
        XSendEvent(display, to, False, NoEventMask, reinterpret_cast<XEvent*>(&e));
        XFlush(display);
    }

    // Waits for a client message of `type`, answering selection requests
    // with `uriList` meanwhile. Every client message that arrives is noted
    // in `heard` by its type name.
    bool await(const char* type, XClientMessageEvent& out, const std::string& uriList) {
        for (auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10); std::chrono::steady_clock::now() < end;) {
            if (between) between();
            for (XEvent e; XPending(display);) {
                XNextEvent(display, &e);
                if (e.type == ClientMessage) {
                    char* name = XGetAtomName(display, e.xclient.message_type);
                    heard.push_back(name ? name : "?");
                    if (name) XFree(name);
                    if (e.xclient.message_type == atom(type)) return out = e.xclient, true;
                    continue;
                }
                if (e.type != SelectionRequest) continue;
                const XSelectionRequestEvent& r = e.xselectionrequest;
                XSelectionEvent reply{SelectionNotify, 0, False, nullptr, r.requestor, r.selection, r.target, None, r.time};
                if (r.target == atom("text/uri-list") && !refuseData) {
                    XChangeProperty(display, r.requestor, r.property, r.target, 8, PropModeReplace,
                                    reinterpret_cast<const unsigned char*>(uriList.data()), static_cast<int>(uriList.size()));
                    reply.property = r.property;
                }
                XSendEvent(display, r.requestor, False, NoEventMask, reinterpret_cast<XEvent*>(&reply));
                XFlush(display);
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        return false;
    }

    Display* display;
    Window source;
    // Runs while waiting, for a drop target living in the same thread.
    std::function<void()> between;
    std::vector<std::string> heard;
    // Answers every request for the data with a refusal, as a source whose files went away.
    bool refuseData = false;
};
