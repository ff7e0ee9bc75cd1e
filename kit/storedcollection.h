#pragma once
// The interface lives in platform/ so that the data layer's collections (a
// query's format parameters) can implement it without depending on the kit.
#include "platform/storedcollection.h"
