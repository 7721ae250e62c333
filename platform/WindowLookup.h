#pragma once

#include <string>

// The game window's X11 id stands in for a Windows window handle. The window
// records it (and its title) on the main thread; any thread may look it up.
void vxRecordWindow(unsigned long windowId);
void vxRecordWindowTitle(const std::string& title);
unsigned long vxRecordedWindow();

// The recorded window when its title equals windowName, else 0. The class
// name is not used: there is only one window.
unsigned long FindWindowW(const wchar_t* className, const wchar_t* windowName);
