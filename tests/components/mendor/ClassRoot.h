#pragma once

// Reads and writes registrations in the class root of the current suite root's
// registry, the way components register themselves, for lookups to find.

#include "platform/base/Types.h"

#include <string>

namespace test {

// The default value of keyPath (created when missing) with the given type.
void SetClassRootDefault(const std::string& keyPath, const std::string& value, DWORD type = 1 /* REG_SZ */);

// <progId>\CLSID = {classId}, CLSID\{classId}\ProgID = progId and
// CLSID\{classId}\InprocServer32 = serverPath. classId is bare.
void RegisterInprocClass(const std::string& progId, const std::string& classId, const std::string& serverPath);

// The default value of keyPath, or "<missing>".
std::string ClassRootDefault(const std::string& keyPath);

// Runs "<regsvr> /s <file>" to its end; its exit code.
int RegisterWithRegsvr(const std::string& regsvr, const std::string& file);

} // namespace test
