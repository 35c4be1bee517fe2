// Starting bnfcreator.exe (beside the test program) while the single-instance mutex is
// held: the new copy must end at once and quietly. Needs no display: a copy that went on
// to make its windows would either fail without one (code 1) or wait for the user.
#include "platform/win32/windows_api.h"

#include <string>

#include <gtest/gtest.h>

#include "platform/win32/unique_resource.h"

namespace bnf {
namespace {

using win32::UniqueHandle;

std::wstring AppPath() {
  wchar_t self[MAX_PATH];
  const DWORD length = ::GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring path(self, length);
  return path.substr(0, path.find_last_of(L'\\') + 1) + L"bnfcreator.exe";
}

TEST(AppStart, SecondCopyEndsAtOnceWithCodeZeroWhileTheMutexIsHeld) {
  const UniqueHandle held(::CreateMutexW(nullptr, FALSE, L"KorvanBNFCreator"));
  ASSERT_TRUE(held);
  std::wstring command = L"\"" + AppPath() + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION started{};
  ASSERT_TRUE(::CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                               nullptr, &startup, &started));
  const UniqueHandle process(started.hProcess);
  const UniqueHandle thread(started.hThread);
  ASSERT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(process.get(), 20000))
      << "the second copy is still running";
  DWORD code = 99;
  ASSERT_TRUE(::GetExitCodeProcess(process.get(), &code));
  EXPECT_EQ(0u, code);
}

}  // namespace
}  // namespace bnf
