#pragma once

#include "platform/automation/HResult.h"

#include <string>

namespace automation {

// The text of a result code as callers show it: "0x80020009" followed by the
// code's meaning when it is one the component layer reports.
std::string ResultText(HRESULT code);

} // namespace automation
