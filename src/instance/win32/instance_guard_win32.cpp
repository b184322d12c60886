// Win32 side of the single-instance guard: the shared block in a named file mapping, the
// main-ready event, the running instance's listener thread with one worker per forwarded
// start, and a later start's hand-over of its words and its wait for the reply. The
// thread-message functions come from user32, loaded from the system folder only when the
// guard is on, so that other starts never load it.
#include "instance/instance_block.h"
#include "instance/instance_guard.h"
#include "jvm/java_calls.h"
#include "jvm/vm_thread_attachment.h"
#include "platform/process.h"
#include "platform/win32/system_library.h"
#include "platform/win32/unique_handle.h"

namespace {

// A later start waits this long for a running instance that is still setting up (its header
// not yet written, its listener without a queue), and for it to take the words out of the
// area once posted.
constexpr DWORD kSetUpPatienceMs = 5000;
constexpr DWORD kTakePatienceMs = 5000;
// How long a later start waits for the starts before it to hand over their words; each
// normally holds the area for a millisecond or two.
constexpr DWORD kTurnPatienceMs = 30000;
constexpr DWORD kRetryPauseMs = 10;
constexpr DWORD kReplyPollMs = 100;

static_assert(kArgumentsTakenMessage == WM_APP, "the notice is an application message");

os::SystemLibrary user32(L"user32.dll");

struct ThreadMessages {
  UINT(WINAPI* registerMessage)(LPCWSTR name) = nullptr;
  BOOL(WINAPI* post)(DWORD thread, UINT message, WPARAM wParam, LPARAM lParam) = nullptr;
  BOOL(WINAPI* get)(LPMSG message, HWND window, UINT first, UINT last) = nullptr;
  BOOL(WINAPI* peek)(LPMSG message, HWND window, UINT first, UINT last, UINT remove) = nullptr;
  DWORD(WINAPI* wait)(DWORD count, const HANDLE* handles, DWORD ms, DWORD wakeMask,
                      DWORD flags) = nullptr;

  bool Load() {
    registerMessage = user32.Find<decltype(registerMessage)>("RegisterWindowMessageW");
    post = user32.Find<decltype(post)>("PostThreadMessageW");
    get = user32.Find<decltype(get)>("GetMessageW");
    peek = user32.Find<decltype(peek)>("PeekMessageW");
    wait = user32.Find<decltype(wait)>("MsgWaitForMultipleObjectsEx");
    return registerMessage && post && get && peek && wait;
  }

  // A thread gets its message queue with its first message call; nothing can be posted to it
  // before.
  void MakeQueue() const {
    MSG message;
    peek(&message, nullptr, WM_USER, WM_USER, PM_NOREMOVE);
  }
};

// What the running instance's listener and workers work with. Workers share it, so one that
// is still waiting when the launcher ends never reads freed memory.
struct ForwardService {
  ThreadMessages messages;
  const InstanceBlock* block = nullptr;
  UINT forwardMessage = 0;
  Text mainClassName;
  os::Event mainReady;
  // Written on the VM thread before main-ready is set, read by workers after it.
  JavaVM* javaVm = nullptr;
  bool detachWorkers = true;
};

}  // namespace

struct InstanceGuard::State {
  ThreadMessages messages;
  Text name;
  os::KernelHandle mapping;
  os::WritableMappedView view;
  InstanceBlock* block = nullptr;
  // The running instance.
  std::shared_ptr<ForwardService> service;
  os::Thread listener;
  // A forwarding start.
  os::KernelHandle primaryProcess;
  UINT forwardMessage = 0;
};

namespace {

// One forwarded start: who to reply to and the words it sent.
struct ForwardRequest {
  std::shared_ptr<const ForwardService> service;
  DWORD sender;
  TextList words;
};

uint32_t ReadShared(const uint32_t& field) {
  // Another process writes it: read it afresh every time.
  return *static_cast<const volatile uint32_t*>(&field);
}

bool Passed(DWORD start, DWORD patience) { return GetTickCount() - start >= patience; }

bool HasEnded(const os::KernelHandle& process) {
  return process && WaitForSingleObject(process.Get(), 0) == WAIT_OBJECT_0;
}

// Serves one forwarded start once main is about to run: its words go to the main class's
// static secondaryMain, the void form first. The void form is answered 0 before it runs, the
// int form with its result after it. A request that cannot be served gets no answer, and its
// start waits until this process ends.
bool HandleForwardRequest(const ForwardRequest& request) {
  const ForwardService& service = *request.service;
  if (service.mainReady.Wait(os::kWaitForever) != os::WaitResult::Signalled) return false;
  VmThreadAttachment attachment(service.javaVm, service.detachWorkers);
  JNIEnv* env = nullptr;
  if (!attachment.Attach(env)) return false;
  jclass mainClass = env->FindClass(os::ToThreadCodePage(service.mainClassName).c_str());
  if (!mainClass) return false;
  bool intForm = false;
  jmethodID method =
      env->GetStaticMethodID(mainClass, "secondaryMain", "([Ljava/lang/String;)V");
  if (env->ExceptionOccurred()) env->ExceptionClear();
  if (!method) {
    method = env->GetStaticMethodID(mainClass, "secondaryMain", "([Ljava/lang/String;)I");
    intForm = true;
  }
  if (!method) {
    if (env->ExceptionOccurred()) env->ExceptionDescribe();
    return false;
  }
  jobjectArray words = NewJavaStringArray(env, request.words);
  if (!words) {
    if (env->ExceptionOccurred()) env->ExceptionDescribe();
    return false;
  }
  auto reply = [&](jint code) {
    service.messages.post(request.sender, service.forwardMessage, static_cast<WPARAM>(code), 0);
  };
  if (intForm) {
    reply(env->CallStaticIntMethod(mainClass, method, words));
  } else {
    reply(0);
    env->CallStaticVoidMethod(mainClass, method, words);
  }
  if (env->ExceptionOccurred()) {
    env->ExceptionDescribe();
    return false;
  }
  return true;
}

int WorkerMain(void* argument) {
  std::unique_ptr<ForwardRequest> request(static_cast<ForwardRequest*>(argument));
  return HandleForwardRequest(*request) ? 0 : 1;
}

// The listener takes each start's words out of the area at once, tells the start so, and
// leaves the rest to a worker of its own; it ends at WM_QUIT.
int ListenerMain(void* argument) {
  const auto& service = *static_cast<const std::shared_ptr<ForwardService>*>(argument);
  const ThreadMessages& messages = service->messages;
  messages.MakeQueue();
  MSG message;
  // -1 is a failure that would repeat for good.
  while (messages.get(&message, nullptr, 0, 0) > 0) {
    if (message.message != service->forwardMessage) continue;
    DWORD sender = static_cast<DWORD>(message.wParam);
    std::unique_ptr<ForwardRequest> request(new ForwardRequest{service, sender, {}});
    UnpackArguments(*service->block, request->words);
    messages.post(sender, kArgumentsTakenMessage, 0, 0);
    if (os::StartDetachedThread(WorkerMain, request.get()) == 0) request.release();
  }
  return 0;
}

// A named mutex held by the calling thread for a span, released on every path.
class MutexTurn {
 public:
  explicit MutexTurn(const os::KernelHandle& mutex) : mutex_(mutex) {}
  ~MutexTurn() {
    if (held_) ReleaseMutex(mutex_.Get());
  }
  MutexTurn(const MutexTurn&) = delete;
  MutexTurn& operator=(const MutexTurn&) = delete;

  // Waits for the mutex; false when `ended` (may be null) is signalled first or the time
  // runs out. A holder that died leaves the mutex abandoned, and the turn passes on.
  bool Take(const os::KernelHandle& ended, DWORD patience) {
    HANDLE objects[] = {mutex_.Get(), ended.Get()};
    DWORD result = WaitForMultipleObjects(ended ? 2 : 1, objects, FALSE, patience);
    held_ = result == WAIT_OBJECT_0 || result == WAIT_ABANDONED_0;
    return held_;
  }

 private:
  const os::KernelHandle& mutex_;
  bool held_ = false;
};

// The header goes out in this order: the message, the process, and the listener's ID as the
// system creates the thread. A failure leaves what was written, so later starts give up while
// this process lives instead of becoming a second running instance.
bool StartListener(InstanceGuard::State& state, const Text& mainClassName) {
  auto service = std::make_shared<ForwardService>();
  service->messages = state.messages;
  service->block = state.block;
  service->mainClassName = mainClassName;
  if (service->mainReady.Create(MainReadyEventName(state.name)) != 0) return false;
  service->forwardMessage = state.messages.registerMessage(Wide(state.name));
  if (service->forwardMessage == 0) return false;
  state.block->forwardMessage = service->forwardMessage;
  state.block->primaryProcessId = GetCurrentProcessId();
  state.service = std::move(service);
  if (state.listener.Start(ListenerMain, &state.service, &state.block->listenerThreadId) != 0) {
    state.service.reset();
    return false;
  }
  return true;
}

// One later start at a time writes the area and keeps it until the running instance has
// taken the words out; the area alone, a single slot, would let the next start overwrite
// words not yet read. Every wait ends when the running instance does.
bool Forward(InstanceGuard::State& state, const TextList& arguments) {
  InstanceBlock& block = *state.block;
  DWORD start = GetTickCount();
  while (!ReadShared(block.listenerThreadId) || !ReadShared(block.primaryProcessId) ||
         !ReadShared(block.forwardMessage)) {
    if (Passed(start, kSetUpPatienceMs)) return false;
    Sleep(kRetryPauseMs);
  }
  state.forwardMessage = block.forwardMessage;
  state.primaryProcess.Reset(
      OpenProcess(PROCESS_QUERY_INFORMATION | SYNCHRONIZE, FALSE, block.primaryProcessId));
  // The notice and the reply come to this thread's queue.
  state.messages.MakeQueue();

  os::KernelHandle mutex(CreateMutexW(nullptr, FALSE, Wide(ForwardingMutexName(state.name))));
  if (!mutex) return false;
  MutexTurn turn(mutex);
  if (!turn.Take(state.primaryProcess, kTurnPatienceMs) || !PackArguments(arguments, block)) {
    return false;
  }
  // A running instance that has just written its header may not have its listener's queue.
  start = GetTickCount();
  while (!state.messages.post(ReadShared(block.listenerThreadId), state.forwardMessage,
                              GetCurrentThreadId(), 0)) {
    if (Passed(start, kSetUpPatienceMs) || HasEnded(state.primaryProcess)) return false;
    Sleep(kRetryPauseMs);
  }
  start = GetTickCount();
  MSG message;
  while (!state.messages.peek(&message, nullptr, kArgumentsTakenMessage, kArgumentsTakenMessage,
                              PM_REMOVE)) {
    if (Passed(start, kTakePatienceMs) || HasEnded(state.primaryProcess)) break;
    Sleep(1);
  }
  return true;
}

// The reply among the messages that have come; others are dropped.
bool TakeReply(const ThreadMessages& messages, UINT forwardMessage, int& reply) {
  MSG message;
  while (messages.peek(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message != forwardMessage) continue;
    reply = static_cast<int>(message.wParam);
    return true;
  }
  return false;
}

}  // namespace

InstanceGuard::InstanceGuard() = default;

InstanceGuard::~InstanceGuard() {
  if (!state_) return;
  State& state = *state_;
  // The listener's queue may not exist yet, so the quit message goes again until it ends.
  while (state.listener.IsRunning()) {
    state.messages.post(ReadShared(state.block->listenerThreadId), WM_QUIT, 0, 0);
    state.listener.Wait(kRetryPauseMs);
  }
  state.view.Reset();
  state.mapping.Reset();
  // The main-ready event goes last; a worker still waiting for it keeps it until it ends.
  state.service.reset();
}

bool InstanceGuard::SetUp(const TextList& arguments, const Text& mainClassName) {
  state_.reset(new State);
  State& state = *state_;
  Text modulePath;
  // A guard that cannot be set up leaves an ordinary start.
  auto turnOff = [this] {
    enabled_ = false;
    return true;
  };
  if (os::ModuleFileName(modulePath) != 0) return turnOff();
  state.name = InstanceName(modulePath);
  HANDLE mapping = CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                      sizeof(InstanceBlock), Wide(state.name));
  primary_ = mapping && GetLastError() == 0;
  state.mapping.Reset(mapping);
  if (!state.mapping) return turnOff();
  state.view.Reset(MapViewOfFile(state.mapping.Get(), FILE_MAP_WRITE, 0, 0, 0));
  if (!state.view) return turnOff();
  state.block = static_cast<InstanceBlock*>(state.view.Get());
  // The window DLL is loaded only now, by the starts that use it.
  bool loaded = state.messages.Load();
  if (!primary_) return loaded && Forward(state, arguments);
  if (!loaded || !StartListener(state, mainClassName)) return turnOff();
  return true;
}

os::Event* InstanceGuard::MainReadyEvent() {
  return enabled_ && primary_ && state_->service ? &state_->service->mainReady : nullptr;
}

void InstanceGuard::ServeWith(JavaVM* vm, bool detachWorkers) {
  if (!enabled_ || !primary_ || !state_->service) return;
  state_->service->javaVm = vm;
  state_->service->detachWorkers = detachWorkers;
}

// Woken by a message or by the running instance's end. The queue is emptied before each wait,
// so a message waiting there wakes it at once without spinning. The end is read from the
// process handle: an instance that ended with 259 would read as running by its exit code.
int InstanceGuard::WaitForPrimaryReply() {
  State& state = *state_;
  if (!state.primaryProcess) return 0;
  HANDLE process = state.primaryProcess.Get();
  int reply = 0;
  for (;;) {
    if (TakeReply(state.messages, state.forwardMessage, reply)) return reply;
    DWORD woke = state.messages.wait(1, &process, kReplyPollMs, QS_ALLINPUT,
                                     MWMO_INPUTAVAILABLE);
    if (woke == WAIT_FAILED) return -1;
    if (woke != WAIT_OBJECT_0) continue;
    // A reply posted just before the end still counts.
    if (TakeReply(state.messages, state.forwardMessage, reply)) return reply;
    DWORD exitCode = 0;
    return GetExitCodeProcess(process, &exitCode) ? static_cast<int>(exitCode) : -1;
  }
}
