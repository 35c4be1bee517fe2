// Windows paths on POSIX for the native platform: backslashes become slashes and each
// path component is found without regard to letter case, as Windows finds it.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace bnf::native {

std::string ToUtf8(std::u16string_view text);
std::u16string FromUtf8(std::string_view text);
bool SameIgnoringCase(std::u16string_view a, std::u16string_view b);
std::string Join(const std::string& folder, const std::string& name);
bool Exists(const std::string& path);
// The entry of `folder` named `name` apart from letter case; the exact name first.
std::optional<std::string> FindEntry(const std::string& folder, std::u16string_view name);
// The host path of a Windows path; components that do not exist are taken as written.
std::string HostPath(std::u16string_view path);
// The folder part of a host path ("." when it has none).
std::string FolderOf(const std::string& host);
// The reason for an errno, in the words Windows uses for the common cases.
std::u16string Reason(int error);

}  // namespace bnf::native
