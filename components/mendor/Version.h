#pragma once

// Version texts: up to four numbers separated by "," or "." (file version
// records read as "1,0,0,3", upgrade descriptions write "1.0.0.3").

#include "platform/base/Types.h"

#include <string>
#include <string_view>
#include <vector>

namespace mendor {

// The version fields of a text, each the low 16 bits of a leading decimal
// number (a piece without digits reads as 0). Empty pieces add no field.
// False, with no fields, when the text holds no piece at all.
bool ParseVersion(std::string_view text, std::vector<WORD>& fields);

// Whether `offered` is newer than `installed`, comparing the first four fields
// (a missing field counts as 0). An unreadable installed version is older
// than any readable offer.
bool NeedsUpgrade(std::string_view installed, std::string_view offered);

// The file's version record as "major,minor,release,build"; "0.0.0.0" when
// the path is empty, the file is missing or it carries no record.
std::string FileVersionString(const std::string& path);

} // namespace mendor
