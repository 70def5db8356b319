#pragma once

#include <windows.h>

extern int DisplayScale;
