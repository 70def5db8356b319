// Zarvo3GVT.dll: the 3G video-telephony service library over a simulated network. A query or a
// change starts when its entry point is called and is answered from a worker thread of the library
// after the network's latency, by posting WM_CF_NOTIFY to the window named in the request. One
// request is outstanding at a time: a new one, a cancel or the library's unload ends the one before,
// whose answer then never comes. Calls come from one thread at a time (the caller's UI thread).
#include <windows.h>

#include <vlmrc/vt_service.h>

#include <stdexcept>
#include <string>

#include "zarvo3gvt/network.h"

namespace {

using namespace zarvo3gvt::network;

enum class RequestKind { Query, Change };

// Which entry of the request carries which reason of the network.
struct RequestReason {
  Reason reason;
  CFRequestEntry CFRequest::*entry;
};
constexpr RequestReason kRequestReasons[] = {
    {Reason::AllCalls, &CFRequest::AllCall},
    {Reason::Busy, &CFRequest::Busy},
    {Reason::NoReply, &CFRequest::NoAns},
    {Reason::NotReachable, &CFRequest::Unavailable},
};

// The outstanding request: read by its worker, replaced only once that worker has ended.
struct Job {
  RequestKind kind = RequestKind::Query;
  CFRequest* request = nullptr;  // a query's answer is written here
  CFRequest change{};            // a change as it was sent
  HWND notifyWindow = nullptr;
  UINT notifyMessage = 0;
  Behaviour behaviour;
};

Job g_job;
HANDLE g_worker = nullptr;  // the thread that will answer g_job; none for a silent network
// The records the completions point to, one per kind of request; each stays as it is until the next
// answer of its kind, so a caller may read it while it shows the failure.
SSNotify g_queryNotify;
SSNotify g_changeNotify;

void Log(const std::string& text) {
  std::u16string wide(text.begin(), text.end());
  NKDbgPrintfW(u"Zarvo3GVT: %s\r\n", wide.c_str());
}

// Ends the outstanding request, if any, so that no answer to it follows.
void EndOutstanding() {
  if (g_worker == nullptr) return;
  TerminateThread(g_worker, 0);  // stops it in its wait; returns at once when it has answered
  CloseHandle(g_worker);
  g_worker = nullptr;
}

// A number field read no further than its own end; empty when it has no terminator.
bool TerminatedNumber(const CFRequestEntry& entry, std::u16string& number) {
  std::size_t length = wcsnlen(entry.szNumber, sizeof(entry.szNumber) / sizeof(WCHAR));
  if (length == sizeof(entry.szNumber) / sizeof(WCHAR)) return false;
  number.assign(entry.szNumber, length);
  return true;
}

bool ValidNoReplySeconds(DWORD seconds) { return seconds >= 5 && seconds <= 30 && seconds % 5 == 0; }

LONG AnswerQuery(const Job& job) {
  if (job.behaviour.failure == Failure::QueryFails) return job.behaviour.error;
  State state;
  try {
    state = ReadState();
  } catch (const std::runtime_error& error) {
    Log(std::string("the network's state cannot be read: ") + error.what());
    return kErrorStateUnreadable;
  }
  for (const auto& [reason, member] : kRequestReasons) {
    CFRequestEntry& entry = job.request->*member;
    if (!entry.bSelected) continue;
    entry.bActive = state[reason].active ? 1 : 0;
    std::size_t length = state[reason].number.copy(entry.szNumber, kMaxNumberLength);
    entry.szNumber[length] = 0;
    if (reason == Reason::NoReply) job.request->nNoReplyTime = state.noReplySeconds;
  }
  return 0;
}

LONG AnswerChange(const Job& job) {
  if (job.behaviour.failure == Failure::SetFails) return job.behaviour.error;
  // The network takes the whole change or nothing of it.
  State wanted;
  for (const auto& [reason, member] : kRequestReasons) {
    const CFRequestEntry& entry = job.change.*member;
    if (!entry.bSelected) continue;
    if (!TerminatedNumber(entry, wanted[reason].number)) return kErrorInvalidChange;
    wanted[reason].active = entry.bActive != 0;
    if (wanted[reason].active && wanted[reason].number.empty()) return kErrorInvalidChange;
    if (reason == Reason::NoReply && !ValidNoReplySeconds(job.change.nNoReplyTime)) return kErrorInvalidChange;
  }
  try {
    for (const auto& [reason, member] : kRequestReasons) {
      if (!(job.change.*member).bSelected) continue;
      WriteReason(reason, wanted[reason]);
      if (reason == Reason::NoReply) WriteNoReplySeconds(job.change.nNoReplyTime);
    }
  } catch (const std::exception& error) {
    Log(std::string("the network's state cannot be stored: ") + error.what());
    return kErrorStateUnreadable;
  }
  return 0;
}

DWORD AnswerAfterLatency(LPVOID parameter) {
  const Job& job = *static_cast<const Job*>(parameter);
  Sleep(job.behaviour.latencyMs);  // a cancel ends the thread here
  bool query = job.kind == RequestKind::Query;
  SSNotify& notify = query ? g_queryNotify : g_changeNotify;
  notify.nError = query ? AnswerQuery(job) : AnswerChange(job);
  if (query)
    notify.dwCode = notify.nError == 0 ? CF_QUERY_OK : CF_QUERY_FAIL;
  else
    notify.dwCode = notify.nError == 0 ? CF_SET_OK : CF_SET_FAIL;
  PostMessageW(job.notifyWindow, job.notifyMessage, notify.dwCode, reinterpret_cast<LPARAM>(&notify));
  return 0;
}

LONG StartRequest(RequestKind kind, CFRequest* request) {
  if (request == nullptr || request->hNotifyWnd == 0) return kInvalidRequest;
  EndOutstanding();

  Behaviour behaviour;
  try {
    behaviour = ReadBehaviour();
  } catch (const std::runtime_error& error) {
    // The request is answered as failed, so that the caller hears of it.
    Log(std::string("the simulation settings cannot be read: ") + error.what());
    behaviour.failure = kind == RequestKind::Query ? Failure::QueryFails : Failure::SetFails;
    behaviour.error = kErrorStateUnreadable;
  }
  if (behaviour.failure == Failure::Refused) return kRefused;
  if (behaviour.failure == Failure::Silent) return kAccepted;  // accepted, and never answered

  g_job.kind = kind;
  g_job.request = request;
  if (kind == RequestKind::Change) g_job.change = *request;
  g_job.notifyWindow = static_cast<HWND>(UlongToHandle(request->hNotifyWnd));
  g_job.notifyMessage = request->uNotifyMsg;
  g_job.behaviour = behaviour;

  g_worker = CreateThread(nullptr, 0, AnswerAfterLatency, &g_job, 0, nullptr);
  return g_worker != nullptr ? kAccepted : kRefused;
}

}  // namespace

extern "C" {

LONG WINAPI Zarvo3GVT_GetVersion(void) { return kLibraryVersion; }

LONG WINAPI Zarvo3GVT_GetCF(CFRequest* request) { return StartRequest(RequestKind::Query, request); }

LONG WINAPI Zarvo3GVT_SetCF(CFRequest* request) { return StartRequest(RequestKind::Change, request); }

LONG WINAPI Zarvo3GVT_SSCancel(void) {
  EndOutstanding();
  return kAccepted;
}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
  // Nothing of the library may outlive it: the worker is ended before the code goes.
  if (reason == DLL_PROCESS_DETACH) EndOutstanding();
  return TRUE;
}

}  // extern "C"
