// Shared by the key and key-container tables.
#ifndef KORVU_KEYS_INTERNAL_H
#define KORVU_KEYS_INTERNAL_H

#include "korvu/keys.h"
#include "../core/struct.h"
#include "../core/list_codec.h"

#endif
