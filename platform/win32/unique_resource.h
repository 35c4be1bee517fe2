// Owners for Win32 resources: one move-only template and one alias per kind of
// resource, each naming its "no resource" value and its release call. A resource is
// released exactly once, when its owner goes or is reset.
#pragma once

#include "platform/win32/windows_api.h"

#include <utility>

namespace bnf::win32 {

template <typename Traits>
class UniqueResource {
 public:
  using Type = typename Traits::Type;

  UniqueResource() noexcept = default;
  explicit UniqueResource(Type value) noexcept : value_(value) {}
  UniqueResource(UniqueResource&& other) noexcept : value_(other.release()) {}
  UniqueResource& operator=(UniqueResource&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
  }
  UniqueResource(const UniqueResource&) = delete;
  UniqueResource& operator=(const UniqueResource&) = delete;
  ~UniqueResource() { reset(); }

  Type get() const noexcept { return value_; }
  explicit operator bool() const noexcept { return value_ != Traits::Invalid(); }

  void reset(Type value = Traits::Invalid()) noexcept {
    Type old = std::exchange(value_, value);
    if (old != Traits::Invalid()) Traits::Release(old);
  }
  Type release() noexcept { return std::exchange(value_, Traits::Invalid()); }

 private:
  Type value_ = Traits::Invalid();
};

// CreateFileW reports failure as INVALID_HANDLE_VALUE, not as a null handle.
struct FileHandleTraits {
  using Type = HANDLE;
  static Type Invalid() noexcept { return INVALID_HANDLE_VALUE; }
  static void Release(Type h) noexcept { ::CloseHandle(h); }
};

// Kernel objects other than files (mutexes, events, processes) fail as null.
struct KernelHandleTraits {
  using Type = HANDLE;
  static Type Invalid() noexcept { return nullptr; }
  static void Release(Type h) noexcept { ::CloseHandle(h); }
};

// Buffers that the system allocates for us (FORMAT_MESSAGE_ALLOCATE_BUFFER).
struct LocalMemoryTraits {
  using Type = HLOCAL;
  static Type Invalid() noexcept { return nullptr; }
  static void Release(Type h) noexcept { ::LocalFree(h); }
};

// Open registry keys. The predefined roots (HKEY_CURRENT_USER, ...) are never put in
// an owner: closing them is not ours to do.
struct RegistryKeyTraits {
  using Type = HKEY;
  static Type Invalid() noexcept { return nullptr; }
  static void Release(Type h) noexcept { ::RegCloseKey(h); }
};

using UniqueFile = UniqueResource<FileHandleTraits>;
using UniqueHandle = UniqueResource<KernelHandleTraits>;
using UniqueLocal = UniqueResource<LocalMemoryTraits>;
using UniqueHkey = UniqueResource<RegistryKeyTraits>;

}  // namespace bnf::win32
