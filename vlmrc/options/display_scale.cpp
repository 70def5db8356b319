#include "ui/display_scale.h"

int DisplayScale = 1;
