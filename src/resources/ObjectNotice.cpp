#include "resources/ObjectNotice.h"

// Lines are separated by CR LF; no NUL before the last byte.
const char kObjectNotice[kObjectNoticeSize] =
    "Tavrolin 3D Object File\r\n"
    "This file holds one ready-made 3D object for Tavrolin: its default look,\r\n"
    "the names of its parts, a small picture of it and its surface data.\r\n"
    "Copyright (C) 2026 Ulmric. All rights reserved.\r\n"
    "Tavrolin reads this file only while this notice is kept word for word.";
