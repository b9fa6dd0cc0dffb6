// The component the automation benchmark calls: one method without
// arguments and one with three strings.

#include "platform/automation/Component.h"

namespace {

using automation::CDispatchCall;
using automation::MemberKind;

// {2628B622-ECE8-42D5-8F4A-B464EEA9B644}
constexpr IID IID_ITarget { 0x2628B622, 0xECE8, 0x42D5, { 0x8F, 0x4A, 0xB4, 0x64, 0xEE, 0xA9, 0xB6, 0x44 } };
// {63C8CD5D-E1F7-4D64-A83D-0C74AA1E7A8F}
constexpr CLSID CLSID_Target { 0x63C8CD5D, 0xE1F7, 0x4D64, { 0xA8, 0x3D, 0x0C, 0x74, 0xAA, 0x1E, 0x7A, 0x8F } };

class CTarget : public automation::CDispatchObject<CTarget> {
public:
    static const automation::CDispatchTable<CTarget>& Table()
    {
        static const automation::CDispatchTable<CTarget> table(IID_ITarget, "ITarget", "ITarget Interface",
            {
                { 1, "Nothing", MemberKind::Method, {}, VT_EMPTY, [](CTarget&, CDispatchCall&) { return S_OK; } },
                { 2, "Join3", MemberKind::Method, { { "a", VT_BSTR }, { "b", VT_BSTR }, { "c", VT_BSTR } }, VT_BSTR,
                    [](CTarget&, CDispatchCall& call) {
                        std::u16string joined(call.String(0));
                        joined += call.String(1);
                        joined += call.String(2);
                        call.SetString(joined);
                        return S_OK;
                    } },
            });
        return table;
    }
};

automation::CComponentModule& Module()
{
    static automation::CComponentModule module({ { CLSID_Target, "PlinthBench.Target.1", "PlinthBench.Target",
        "Target Class", IID_NULL, &automation::CreateObject<CTarget> } });
    return module;
}

} // namespace

PLINTH_COMPONENT_EXPORTS(Module())
