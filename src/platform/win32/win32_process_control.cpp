#include "platform/win32/win32_process_control.h"

#include "platform/win32/win32_text.h"

#include <windows.h>

#include <vector>

namespace clipnest::win32 {
namespace {

// One name per session: the mutex lives as long as the first copy runs.
constexpr wchar_t kInstanceMutexName[] = L"Clipnest.SingleInstance.7f1c2e";

std::wstring ModulePath() {
  std::vector<wchar_t> buffer(MAX_PATH);
  for (;;) {
    const DWORD length =
        GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length < buffer.size()) return std::wstring(buffer.data(), length);
    buffer.resize(buffer.size() * 2);
  }
}

}  // namespace

std::string Win32ProcessControl::ExecutableFolder() {
  std::wstring path = ModulePath();
  const std::size_t separator = path.find_last_of(L"\\/");
  if (separator == std::wstring::npos) return Narrow(path);
  path.resize(separator);
  // A drive root keeps its separator: "C:" alone would name the drive's current folder.
  if (path.size() == 2 && path[1] == L':') path += L'\\';
  return Narrow(path);
}

bool Win32ProcessControl::AnotherInstanceRunning() {
  if (!another_instance_) {
    // The handle is never closed: the mutex marks this copy until the process ends.
    HANDLE mutex = CreateMutexW(nullptr, FALSE, kInstanceMutexName);
    another_instance_ = mutex != nullptr && GetLastError() == ERROR_ALREADY_EXISTS;
  }
  return *another_instance_;
}

void Win32ProcessControl::EndProcess() {
  ExitProcess(0);
}

}  // namespace clipnest::win32
