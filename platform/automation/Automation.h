#pragma once

// Everything a caller of automation components needs.

#include "platform/automation/Bstr.h"
#include "platform/automation/ComponentLibrary.h"
#include "platform/automation/Dispatch.h"
#include "platform/automation/Guid.h"
#include "platform/automation/HResult.h"
#include "platform/automation/ResultText.h"
#include "platform/automation/SafeArray.h"
#include "platform/automation/TypeInfo.h"
#include "platform/automation/Unknown.h"
#include "platform/automation/Variant.h"
#include "platform/automation/VariantTypes.h"
