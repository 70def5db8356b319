// Where the platform publishes the display's rotation for programs to read: the value "Angle"
// (REG_DWORD, degrees) under HKEY_LOCAL_MACHINE "System\GDI\Rotation".
#pragma once

namespace handset::screen {

// Written through the Win32 registry calls, as the display driver of a device does.
void PublishAngle(int angle);

}  // namespace handset::screen
