// The POSIX side of engine/IconPicture.h: no system to ask.
#include "engine/IconPicture.h"

int SystemIconChoice(const unsigned char*, size_t, uint16_t, int, int) {
    return -1;
}
