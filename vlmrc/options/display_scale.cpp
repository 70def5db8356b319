#include "options/display_scale.h"

int DisplayScale = 1;
