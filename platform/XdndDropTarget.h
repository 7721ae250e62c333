#pragma once

#include <string>
#include <vector>

// Accepts files dropped on a window through the XDND protocol. It works on a
// connection of its own, through a hidden proxy window, so it never competes
// with the toolkit that owns the window for its events; poll it each frame.
class XdndDropTarget {
public:
    struct Drop {
        std::vector<std::string> files;  // local paths, in the order dropped
        int x = 0;                        // drop point in window coordinates
        int y = 0;
    };

    XdndDropTarget();
    ~XdndDropTarget();
    XdndDropTarget(const XdndDropTarget&) = delete;
    XdndDropTarget& operator=(const XdndDropTarget&) = delete;

    // Marks the window drop-aware. False when the display cannot be opened.
    bool attach(unsigned long window);
    void detach();
    bool attached() const;
    unsigned long proxyWindow() const;

    // Handles what arrived since the last call; true when a drop completed.
    bool poll(Drop& drop);

    // text/uri-list to local paths: file URIs only, percent-decoded.
    static std::vector<std::string> parseUriList(const std::string& list);

private:
    struct State;
    State* state;
};
