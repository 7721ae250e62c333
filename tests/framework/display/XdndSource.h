#pragma once

#include <X11/Xlib.h>

#include <chrono>
#include <cstring>
#include <functional>
#include <string>
#include <thread>

// The drag source half of XDND, as a file manager would speak it.
class XdndSource {
public:
    explicit XdndSource(Display* d) : display(d) {
        source = XCreateSimpleWindow(d, DefaultRootWindow(d), 0, 0, 1, 1, 0, 0, 0);
        XSelectInput(d, source, PropertyChangeMask);
    }
    ~XdndSource() { XDestroyWindow(display, source); }

    Atom atom(const char* name) { return XInternAtom(display, name, False); }

    Window readWindowProperty(Window w, const char* name) {
        Atom type;
        int format;
        unsigned long count = 0, after;
        unsigned char* data = nullptr;
        Window result = 0;
        if (XGetWindowProperty(display, w, atom(name), 0, 1, False, AnyPropertyType, &type, &format, &count,
                               &after, &data) == Success &&
            data && count == 1)
            result = static_cast<Window>(*reinterpret_cast<long*>(data));
        if (data) XFree(data);
        return result;
    }

    void send(Window to, Window target, const char* type, long l1, long l2, long l3, long l4) {
        XEvent e;
        std::memset(&e, 0, sizeof(e));
        e.xclient.type = ClientMessage;
        e.xclient.window = target;
        e.xclient.message_type = atom(type);
        e.xclient.format = 32;
        e.xclient.data.l[0] = static_cast<long>(source);
        e.xclient.data.l[1] = l1;
        e.xclient.data.l[2] = l2;
        e.xclient.data.l[3] = l3;
        e.xclient.data.l[4] = l4;
        XSendEvent(display, to, False, NoEventMask, &e);
        XFlush(display);
    }

    // Waits for a client message of `type`, answering selection requests
    // with `uriList` meanwhile.
    bool await(const char* type, XClientMessageEvent& out, const std::string& uriList) {
        auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (std::chrono::steady_clock::now() < end) {
            if (between) between();
            while (XPending(display)) {
                XEvent e;
                XNextEvent(display, &e);
                if (e.type == SelectionRequest) {
                    answer(e.xselectionrequest, uriList);
                } else if (e.type == ClientMessage && e.xclient.message_type == atom(type)) {
                    out = e.xclient;
                    return true;
                }
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        return false;
    }

    void answer(const XSelectionRequestEvent& r, const std::string& uriList) {
        XEvent reply;
        std::memset(&reply, 0, sizeof(reply));
        reply.xselection.type = SelectionNotify;
        reply.xselection.requestor = r.requestor;
        reply.xselection.selection = r.selection;
        reply.xselection.target = r.target;
        reply.xselection.time = r.time;
        reply.xselection.property = None;
        if (r.target == atom("text/uri-list")) {
            XChangeProperty(display, r.requestor, r.property, r.target, 8, PropModeReplace,
                            reinterpret_cast<const unsigned char*>(uriList.data()), static_cast<int>(uriList.size()));
            reply.xselection.property = r.property;
        }
        XSendEvent(display, r.requestor, False, NoEventMask, &reply);
        XFlush(display);
    }

    Display* display;
    Window source;
    // Runs while waiting, for a target living in the same thread.
    std::function<void()> between;
};

