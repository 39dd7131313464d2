// All of the framework's collections: CArray, CList, CMap, their fixed-type forms and the typed
// pointer wrappers.
#pragma once

#include "platform/base/Arrays.h"
#include "platform/base/CArray.h"
#include "platform/base/CList.h"
#include "platform/base/CMap.h"
#include "platform/base/Lists.h"
#include "platform/base/Maps.h"
#include "platform/base/TypedPtr.h"
