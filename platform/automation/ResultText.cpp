#include "platform/automation/ResultText.h"

#include "platform/base/Errors.h"

#include <cstdio>

namespace automation {

namespace {

struct Meaning {
    HRESULT code;
    const char* text;
};

const Meaning Meanings[] = {
    { S_OK, "success" },
    { E_NOTIMPL, "not implemented" },
    { E_NOINTERFACE, "no such interface supported" },
    { E_POINTER, "invalid pointer" },
    { E_ABORT, "operation aborted" },
    { E_FAIL, "unspecified error" },
    { E_UNEXPECTED, "catastrophic failure" },
    { E_ACCESSDENIED, "access denied" },
    { E_OUTOFMEMORY, "out of memory" },
    { E_INVALIDARG, "invalid argument" },
    { DISP_E_UNKNOWNINTERFACE, "unknown interface" },
    { DISP_E_MEMBERNOTFOUND, "member not found" },
    { DISP_E_PARAMNOTFOUND, "parameter not found" },
    { DISP_E_TYPEMISMATCH, "type mismatch" },
    { DISP_E_UNKNOWNNAME, "unknown name" },
    { DISP_E_NONAMEDARGS, "no named arguments" },
    { DISP_E_BADVARTYPE, "bad variable type" },
    { DISP_E_EXCEPTION, "exception occurred" },
    { DISP_E_OVERFLOW, "out of present range" },
    { DISP_E_BADINDEX, "invalid index" },
    { DISP_E_BADPARAMCOUNT, "invalid number of parameters" },
    { DISP_E_PARAMNOTOPTIONAL, "parameter not optional" },
    { CLASS_E_NOAGGREGATION, "class does not support aggregation" },
    { CLASS_E_CLASSNOTAVAILABLE, "class not available in the component" },
    { REGDB_E_CLASSNOTREG, "class not registered" },
    { SELFREG_E_CLASS, "classes could not be registered" },
    { CO_E_NOTINITIALIZED, "component library not initialised" },
    { CO_E_CLASSSTRING, "invalid class string" },
    { CO_E_ERRORINDLL, "the file is not a component" },
    { HRESULT_FROM_WIN32(ERROR_MOD_NOT_FOUND), "the component file was not found" },
    { HRESULT_FROM_WIN32(ERROR_BAD_EXE_FORMAT), "the component file cannot be loaded" },
};

} // namespace

std::string ResultText(HRESULT code)
{
    char hex[16];
    std::snprintf(hex, sizeof hex, "0x%08X", static_cast<unsigned>(code));
    for (const Meaning& meaning : Meanings)
        if (meaning.code == code)
            return std::string(hex) + " (" + meaning.text + ")";
    return hex;
}

} // namespace automation
