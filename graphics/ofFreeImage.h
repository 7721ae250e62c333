#pragma once

// FreeImage is initialised once per process, by the first image made, loaded
// or saved, and shut down by the runner's exit callback.
void ofInitFreeImage();
void ofCloseFreeImage();
