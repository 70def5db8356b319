// Registering the common control classes, for InitCommonControlsEx and for the property sheet,
// which needs its tab control whether or not the program asked for the class.
#pragma once

namespace handset::commctrl {

// True when the tab control class is registered (now or before).
bool RegisterTabControlClass();

}  // namespace handset::commctrl
