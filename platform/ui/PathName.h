#pragma once

// Path names as documents and the recent-file list keep them: 8-bit text,
// made absolute and normalised so that two spellings of one file compare
// equal. Addresses with a scheme ("HTTP://...") are kept as written.

#include <string>

namespace ui {

bool HasScheme(const std::string& path);
std::string FullPath(const std::string& path);
// The last segment of a path: the name a document shows as its title.
std::string FileTitle(const std::string& path);
// The path for the file system (UTF-8 bytes) from the suite's 8-bit text.
std::string FileSystemPath(const std::string& path);

} // namespace ui
