// The notification LED. TurnOnLED starts the module's only thread, which blinks the LED in two lit
// phases of 300 ms each, with an off command at each change, until TurnOffLED stops it by
// termination and switches the LED off.
#include <windows.h>
#include <winioctl.h>

#include <vlmrc/vlmrc.h>

namespace {

// The LED driver's one request: device type 0x8002, function 1, buffered, any access.
const DWORD IOCTL_LED_COMMAND = CTL_CODE(0x8002, 1, METHOD_BUFFERED, FILE_ANY_ACCESS);

const DWORD LED_FIRST_PHASE = 0x10000002;
const DWORD LED_SECOND_PHASE = 0x10000004;
const DWORD LED_OFF = 0x10000000;
const DWORD LED_PHASE_MS = 300;

// The request's input record.
typedef struct LedCommand {
  DWORD Command;
  DWORD Reserved[3];  // zero
  DWORD Zero;
} LedCommand;

static_assert(sizeof(LedCommand) == 20, "the LED command record is 20 bytes");

// The running blink thread and the LED device it opened. The thread sets the device handle once,
// at its start; TurnOffLED closes and clears both after the thread has been terminated.
HANDLE g_hLedThread = NULL;
HANDLE g_hLedDevice = NULL;

// Sends one command through the current device handle; without an open device it has no effect.
void SendLedCommand(DWORD command) {
  LedCommand record = {};
  record.Command = command;
  DWORD bytesReturned = 0;
  DeviceIoControl(g_hLedDevice, IOCTL_LED_COMMAND, &record, sizeof(record), NULL, 0, &bytesReturned, NULL);
}

DWORD WINAPI LedBlinkThread(LPVOID parameter) {
  g_hLedDevice = CreateFileW(TEXT("LED1:"), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                             NULL, OPEN_EXISTING, 0, NULL);
  for (;;) {
    SendLedCommand(LED_FIRST_PHASE);
    Sleep(LED_PHASE_MS);
    SendLedCommand(LED_OFF);
    SendLedCommand(LED_SECOND_PHASE);
    Sleep(LED_PHASE_MS);
    SendLedCommand(LED_OFF);
  }
}

}  // namespace

extern "C" {

HANDLE WINAPI TurnOnLED(void) {
  if (g_hLedThread != NULL) TurnOffLED();
  DWORD threadId = 0;
  g_hLedThread = CreateThread(NULL, 0, LedBlinkThread, NULL, 0, &threadId);
  return g_hLedThread;
}

void WINAPI TurnOffLED(void) {
  DWORD exitCode = 0;
  if (GetExitCodeThread(g_hLedThread, &exitCode)) TerminateThread(g_hLedThread, exitCode);
  if (g_hLedThread != NULL) CloseHandle(g_hLedThread);
  SendLedCommand(LED_OFF);
  if (g_hLedDevice != NULL) CloseHandle(g_hLedDevice);
  g_hLedThread = NULL;
  g_hLedDevice = NULL;
}

}  // extern "C"
