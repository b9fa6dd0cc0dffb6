#pragma once

// The count of live objects and server locks of the component this code is
// linked into; DllCanUnloadNow answers from it. Each component keeps its own
// count, because each carries its own copy of the kit with hidden symbols.

namespace automation {

void LockModule();
void UnlockModule();
long ModuleLockCount();

} // namespace automation
