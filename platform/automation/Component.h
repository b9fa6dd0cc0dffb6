#pragma once

// Everything a component needs to declare its classes and interfaces.

#include "platform/automation/Automation.h"
#include "platform/automation/CoclassTypeInfo.h"
#include "platform/automation/ComponentExports.h"
#include "platform/automation/ComponentModule.h"
#include "platform/automation/DispatchObject.h"
