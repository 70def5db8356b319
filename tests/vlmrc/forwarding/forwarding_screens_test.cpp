#include "forwarding_screens_test.h"

#include "handset/modules.h"

namespace forwarding_test {

FakeNetwork g_network;

namespace {

LONG WINAPI FakeSSCancel() {
  g_network.calls.push_back("SSCancel");
  return 0;
}

LONG WINAPI FakeGetCF(CFRequest* request) {
  g_network.calls.push_back("GetCF");
  g_network.queries.push_back(request);
  g_network.notifyWindow = static_cast<HWND>(UlongToHandle(request->hNotifyWnd));
  for (CFRequestEntry CFRequest::*entry : {&CFRequest::AllCall, &CFRequest::Busy, &CFRequest::NoAns, &CFRequest::Unavailable}) {
    (request->*entry).bActive = (g_network.answer.*entry).bActive;
    std::copy(std::begin((g_network.answer.*entry).szNumber), std::end((g_network.answer.*entry).szNumber),
              std::begin((request->*entry).szNumber));
  }
  request->nNoReplyTime = g_network.answer.nNoReplyTime;
  return 0;
}

LONG WINAPI FakeSetCF(CFRequest* request) {
  g_network.calls.push_back("SetCF");
  g_network.sets.push_back(*request);
  g_network.notifyWindow = static_cast<HWND>(UlongToHandle(request->hNotifyWnd));
  g_network.busyStoredAtSet = StoredNumber(u"stbusy");
  return 0;
}

LONG WINAPI FakeGetVersion() { return 1; }

template <class Function>
FARPROC Address(Function* function) {
  return reinterpret_cast<FARPROC>(reinterpret_cast<void (*)()>(function));
}

}  // namespace

void ForwardingScreensTest::SetUp() {
  InternalsTest::SetUp();
  g_network = FakeNetwork{};
  handset::InMemoryModule library;
  library.exports = {{u"Zarvo3GVT_SSCancel", Address(&FakeSSCancel)},
                     {u"Zarvo3GVT_GetCF", Address(&FakeGetCF)},
                     {u"Zarvo3GVT_SetCF", Address(&FakeSetCF)},
                     {u"Zarvo3GVT_GetVersion", Address(&FakeGetVersion)}};
  handset::RegisterModule(u"Zarvo3GVT.dll", std::move(library));
  resources_ = LoadLibraryW(u"vlmrc.dll");
  ASSERT_NE(resources_, nullptr);
}

void ForwardingScreensTest::TearDown() {
  if (resources_ != nullptr) FreeLibrary(resources_);
  InternalsTest::TearDown();
}

handset::user::Step ForwardingScreensTest::Complete(WPARAM code, LONG error) {
  return handset::user::Run("the network answers " + std::to_string(code), [code, error] {
    g_network.notify = SSNotify{error, static_cast<DWORD>(code)};
    PostMessageW(g_network.notifyWindow, WM_CF_NOTIFY, code, reinterpret_cast<LPARAM>(&g_network.notify));
  });
}

std::u16string StoredNumber(const char16_t* valueName) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, u"Software\\Zarvo\\VideoService", 0, 0, &key) != ERROR_SUCCESS) return u"<none>";
  WCHAR text[300] = {};
  DWORD size = sizeof text;
  LONG read = RegQueryValueExW(key, valueName, nullptr, nullptr, reinterpret_cast<BYTE*>(text), &size);
  RegCloseKey(key);
  return read == ERROR_SUCCESS ? std::u16string(text) : u"<none>";
}

int RecordedForwardingStatus() {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, u"Software\\Zarvo\\Phone", 0, 0, &key) != ERROR_SUCCESS) return -1;
  DWORD value = 0;
  DWORD size = sizeof value;
  LONG read = RegQueryValueExW(key, u"callforwarding", nullptr, nullptr, reinterpret_cast<BYTE*>(&value), &size);
  RegCloseKey(key);
  return read == ERROR_SUCCESS ? static_cast<int>(value) : -1;
}

INT_PTR ForwardingScreensTest::Run(std::vector<handset::user::Step> steps,
                                   INT_PTR (*show)(HWND, HINSTANCE, VideoCFInfo*), VideoCFInfo* info) {
  handset::user::SetScript(std::move(steps));
  INT_PTR result = show(nullptr, resources_, info);
  for (const auto& failure : handset::user::Failures()) ADD_FAILURE() << failure.message;
  EXPECT_EQ(handset::user::StepsLeft(), 0u) << "the dialog closed before the script ended";
  return result;
}

}  // namespace forwarding_test
