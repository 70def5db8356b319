// The service library binding: bound once on first use, by name and in a fixed order; a library
// that lacks an entry point is let go again and tried afresh at the next call.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "handset/handset.h"
#include "handset/modules.h"
#include "handset/trace.h"
#include "internals/internals_test.h"

namespace {

// A service library in memory that records each call and answers with a result of its own.
std::vector<std::string> g_calls;
CFRequest* g_requestSeen = nullptr;

LONG WINAPI FakeSSCancel() {
  g_calls.push_back("SSCancel");
  return 11;
}
LONG WINAPI FakeGetCF(CFRequest* request) {
  g_calls.push_back("GetCF");
  g_requestSeen = request;
  return 12;
}
LONG WINAPI FakeSetCF(CFRequest* request) {
  g_calls.push_back("SetCF");
  g_requestSeen = request;
  return 13;
}
LONG WINAPI FakeGetVersion() {
  g_calls.push_back("GetVersion");
  return 14;
}

template <class Function>
FARPROC Address(Function* function) {
  return reinterpret_cast<FARPROC>(reinterpret_cast<void (*)()>(function));
}

handset::InMemoryModule FakeLibrary(bool withSetCF) {
  handset::InMemoryModule module;
  module.exports = {{u"Zarvo3GVT_SSCancel", Address(&FakeSSCancel)},
                    {u"Zarvo3GVT_GetCF", Address(&FakeGetCF)},
                    {u"Zarvo3GVT_GetVersion", Address(&FakeGetVersion)}};
  if (withSetCF) module.exports.push_back({u"Zarvo3GVT_SetCF", Address(&FakeSetCF)});
  return module;
}

class VTServiceBindingTest : public testing_support::InternalsTest {
 protected:
  void SetUp() override {
    InternalsTest::SetUp();
    g_calls.clear();
    g_requestSeen = nullptr;
  }

  // The loader calls of the record: function and first argument, in order.
  static std::vector<std::string> LoaderCalls() {
    std::vector<std::string> calls;
    for (const auto& call : handset::trace::Calls())
      if (call.function == "LoadLibraryW" || call.function == "GetProcAddressW" || call.function == "FreeLibrary")
        calls.push_back(call.function + " " + (call.args.empty() ? "" : call.args[0]));
    return calls;
  }

  void ExpectUnbound() {
    const VTServiceLibrary& binding = *lib_->VTServiceBinding;
    EXPECT_EQ(binding.hLibrary, nullptr);
    EXPECT_EQ(binding.pfnSSCancel, nullptr);
    EXPECT_EQ(binding.pfnGetCF, nullptr);
    EXPECT_EQ(binding.pfnSetCF, nullptr);
    EXPECT_EQ(binding.pfnGetVersion, nullptr);
  }
};

const std::vector<std::string> kBindCalls = {
    "LoadLibraryW Zarvo3GVT.dll",          "GetProcAddressW Zarvo3GVT_SSCancel", "GetProcAddressW Zarvo3GVT_GetCF",
    "GetProcAddressW Zarvo3GVT_SetCF",     "GetProcAddressW Zarvo3GVT_GetVersion",
};

TEST_F(VTServiceBindingTest, TheFirstCallBindsInOrderAndLaterCallsReuseTheBinding) {
  handset::RegisterModule(u"Zarvo3GVT.dll", FakeLibrary(true));
  CFRequest request{};
  handset::trace::Start();
  EXPECT_EQ(lib_->VTGetCF(&request), 12) << "the entry point's result comes back unchanged";
  EXPECT_EQ(LoaderCalls(), kBindCalls);
  EXPECT_EQ(g_requestSeen, &request);

  handset::trace::Start();
  EXPECT_EQ(lib_->VTSetCF(lib_->CFSetRequest), 13);
  EXPECT_EQ(lib_->VTGetVersion(), 14);
  EXPECT_EQ(lib_->VTSSCancel(), 11) << "cancel reaches the library with nothing outstanding";
  EXPECT_TRUE(LoaderCalls().empty()) << "a bound library is neither loaded nor looked up again";
  EXPECT_EQ(g_requestSeen, lib_->CFSetRequest);
  EXPECT_EQ(g_calls, (std::vector<std::string>{"GetCF", "SetCF", "GetVersion", "SSCancel"}));
  EXPECT_TRUE(lib_->LoadVTLib());
}

TEST_F(VTServiceBindingTest, AMissingEntryPointFreesTheLibraryAndTheNextCallTriesAgain) {
  handset::RegisterModule(u"Zarvo3GVT.dll", FakeLibrary(false));
  const std::vector<std::string> failedBind = {
      "LoadLibraryW Zarvo3GVT.dll", "GetProcAddressW Zarvo3GVT_SSCancel", "GetProcAddressW Zarvo3GVT_GetCF",
      "GetProcAddressW Zarvo3GVT_SetCF", "FreeLibrary Zarvo3GVT.dll"};
  for (int attempt = 0; attempt < 2; ++attempt) {
    handset::trace::Start();
    EXPECT_EQ(lib_->VTGetVersion(), 0);
    EXPECT_EQ(LoaderCalls(), failedBind) << "attempt " << attempt;
    ExpectUnbound();
  }
  EXPECT_TRUE(g_calls.empty()) << "no entry point of a library that was let go is called";

  // Once the library is complete, the next call binds it.
  handset::RegisterModule(u"Zarvo3GVT.dll", FakeLibrary(true));
  handset::trace::Start();
  EXPECT_EQ(lib_->VTGetVersion(), 14);
  EXPECT_EQ(LoaderCalls(), kBindCalls);
}

TEST_F(VTServiceBindingTest, EveryWrapperAnswersZeroWhenTheLibraryCannotBeLoaded) {
  // A file of that name that is no module: the handset's loader refuses it before any other folder.
  std::filesystem::path file = handset::HostPath(u"\\Windows\\Zarvo3GVT.dll");
  std::filesystem::create_directories(file.parent_path());
  std::ofstream(file) << "not a module";

  CFRequest request{};
  EXPECT_EQ(lib_->VTGetVersion(), 0);
  EXPECT_EQ(lib_->VTGetCF(&request), 0);
  EXPECT_EQ(lib_->VTSetCF(&request), 0);
  EXPECT_EQ(lib_->VTSSCancel(), 0);
  EXPECT_FALSE(lib_->LoadVTLib());
  ExpectUnbound();
}

}  // namespace
