#pragma once

// Our Steam-shaped layer. Steam is never running on this platform unless a
// test switches it on through SteamLayer.h; every call is harmless either way.

// True when Steam is running and the client could be reached.
bool SteamAPI_Init();
// Dispatches pending callbacks and call results on the calling thread.
void SteamAPI_RunCallbacks();
