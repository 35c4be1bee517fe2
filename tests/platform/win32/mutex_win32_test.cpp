// The single-instance mutex as a second copy of the program sees it: through another
// guard object, which opens it by name only.
#include "platform/win32/mutex_win32.h"

#include "platform/win32/windows_api.h"

#include <string>
#include <thread>

#include <gtest/gtest.h>

#include "platform/win32/unique_resource.h"
#include "platform/win32/wide.h"

namespace bnf::win32 {
namespace {

// Tests may run in parallel processes of one Wine prefix: each uses a name of its own.
std::u16string UniqueName(const char* purpose) {
  const std::string name =
      "BnfTestMutex-" + std::string(purpose) + "-" + std::to_string(::GetCurrentProcessId());
  return std::u16string(name.begin(), name.end());
}

TEST(Win32NamedMutex, SecondCopyFindsItOnlyWhileTheFirstHoldsIt) {
  const std::u16string name = UniqueName("lifetime");
  auto second = MakeWin32NamedMutex();
  EXPECT_FALSE(second->OpenExisting(name));
  {
    auto first = MakeWin32NamedMutex();
    first->Create(name);
    EXPECT_TRUE(second->OpenExisting(name));
    // Release does not give the name up: it lasts as long as the holder.
    first->Release();
    EXPECT_TRUE(second->OpenExisting(name));
  }
  EXPECT_FALSE(second->OpenExisting(name));
}

// Created without ownership: another thread can take the mutex at once.
TEST(Win32NamedMutex, CreatedWithoutOwnership) {
  const std::u16string name = UniqueName("owner");
  auto first = MakeWin32NamedMutex();
  first->Create(name);
  UniqueHandle raw(::OpenMutexW(SYNCHRONIZE | MUTEX_MODIFY_STATE, FALSE, Wide(name)));
  ASSERT_TRUE(raw);
  DWORD waited = WAIT_FAILED;
  std::thread other([&] {
    waited = ::WaitForSingleObject(raw.get(), 0);
    if (waited == WAIT_OBJECT_0) ::ReleaseMutex(raw.get());
  });
  other.join();
  EXPECT_EQ(DWORD{WAIT_OBJECT_0}, waited);
}

}  // namespace
}  // namespace bnf::win32
