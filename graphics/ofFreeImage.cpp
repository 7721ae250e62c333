#include "ofFreeImage.h"

#include <FreeImage.h>

namespace {
// Stays true after the shutdown: nothing may use the library again then.
bool freeImageInitialised = false;
}

void ofInitFreeImage() {
    if (!freeImageInitialised) {
        FreeImage_Initialise(FALSE);
        freeImageInitialised = true;
    }
}

void ofCloseFreeImage() {
    if (freeImageInitialised) FreeImage_DeInitialise();
}
