#pragma once

// A control component for the form-view tests: "Plinth.UiTestControl" shows a
// label; its method Fire (dispatch id 1) fires event 3 with the argument it
// was given, and Count (dispatch id 2) answers how many times Fire ran.

#include "platform/automation/Guid.h"

namespace uitest {

// {6D2A9C41-3B5E-4F17-9C82-1A4E7B3D5F60}
constexpr CLSID CLSID_UiTestControl { 0x6D2A9C41, 0x3B5E, 0x4F17, { 0x9C, 0x82, 0x1A, 0x4E, 0x7B, 0x3D, 0x5F, 0x60 } };
constexpr long DISPID_FIRE = 1;
constexpr long DISPID_COUNT = 2;
constexpr long EVENT_FIRED = 3;

} // namespace uitest
