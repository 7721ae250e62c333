#pragma once

// Bytes, files and folder listings.
#include "ofBuffer.h"
#include "ofDirectoryLister.h"
#include "ofFile.h"
#include "ofFileSave.h"
