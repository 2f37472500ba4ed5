#pragma once
// The start-at-login store of the system the program runs on.

#include "platform/MagasinDemarrage.h"

#include <memory>

std::unique_ptr<MagasinDemarrage> CreeMagasinDemarrage();
