#pragma once

#include "CoreFixture.h"

// Every core test has its fake pads.
using InputFixture = CoreFixture;
