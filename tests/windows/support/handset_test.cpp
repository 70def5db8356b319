#include "support/handset_test.h"

#include <windows.h>

#include "control_api/import_table.h"
#include "handset/clock.h"
#include "handset/registry.h"

namespace testing_support {

namespace {

// Every key the library reads or writes, so that each test starts from an empty registry as on a
// fresh handset.
const char* const kLibraryKeys[] = {
    "HKLM\\Software\\Zarvo",       "HKLM\\System\\State\\Phone",    "HKLM\\System\\GDI\\Rotation",
    "HKLM\\Drivers\\BuiltIn\\RIL", "HKLM\\Software\\Drivers\\VPD", "HKCU\\ControlPanel\\PhoneExtendFunction",
};

void ForgetLibraryKeys() {
  for (const char* key : kLibraryKeys) handset::registry::DeleteKey(key);
}

}  // namespace

void HandsetTest::SetUp() {
  ForgetLibraryKeys();
  handset::clock::UseRealClock();
  testing_windows::ResetLibraryCalls();
}

void HandsetTest::TearDown() {
  handset::clock::UseRealClock();
  testing_windows::ResetLibraryCalls();
  ForgetLibraryKeys();
  SetLastError(ERROR_SUCCESS);
}

}  // namespace testing_support
