// A named mutex used only for its existence: the first copy creates it without owning
// it, and a later copy that can open it by name knows another copy runs. The handle is
// kept open until the process ends, because closing the last handle removes the name.
#include "platform/win32/mutex_win32.h"

#include "platform/win32/windows_api.h"

#include "platform/win32/unique_resource.h"
#include "platform/win32/wide.h"

namespace bnf::win32 {

namespace {

class Win32NamedMutex final : public NamedMutex {
 public:
  bool OpenExisting(std::u16string_view name) override {
    // Only the answer matters: the found handle is closed at once.
    UniqueHandle found(::OpenMutexW(MUTEX_ALL_ACCESS, FALSE, Wide(std::u16string(name))));
    return static_cast<bool>(found);
  }

  void Create(std::u16string_view name) override {
    // No ownership taken, and ERROR_ALREADY_EXISTS is not looked at: the decision was
    // made by OpenExisting, and an existing mutex serves as well as a new one.
    held_.reset(::CreateMutexW(nullptr, FALSE, Wide(std::u16string(name))));
  }

  void Release() override {
    // Never owned, so this normally fails with ERROR_NOT_OWNER; it must not close the
    // handle, which keeps the name alive until the process ends.
    if (held_) ::ReleaseMutex(held_.get());
  }

 private:
  UniqueHandle held_;
};

}  // namespace

std::unique_ptr<NamedMutex> MakeWin32NamedMutex() {
  return std::make_unique<Win32NamedMutex>();
}

}  // namespace bnf::win32
