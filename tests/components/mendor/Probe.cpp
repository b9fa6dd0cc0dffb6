// Test component Probe.Widget: one class whose only member answers 42. It is
// built twice, as ProbeOld.dll and ProbeNew.dll, with different version records.

#include "platform/automation/Component.h"

namespace {

const CLSID CLSID_Probe = { 0x0B5E1D2C, 0x3A4F, 0x4B6E, { 0x9C, 0x8D, 0x7E, 0x6F, 0x5A, 0x4B, 0x3C, 0x2D } };
const IID IID_IProbe = { 0x0B5E1D2D, 0x3A4F, 0x4B6E, { 0x9C, 0x8D, 0x7E, 0x6F, 0x5A, 0x4B, 0x3C, 0x2D } };

class CProbe : public automation::CDispatchObject<CProbe> {
public:
    static const automation::CDispatchTable<CProbe>& Table()
    {
        static const automation::CDispatchTable<CProbe> table(IID_IProbe, "IProbe", "IProbe Interface",
            {
                { 1, "Answer", automation::MemberKind::Method, {}, VT_I4,
                    [](CProbe&, automation::CDispatchCall& call) {
                        call.SetLong(42);
                        return S_OK;
                    } },
            });
        return table;
    }
};

automation::CComponentModule& Module()
{
    static automation::CComponentModule module({ {
        CLSID_Probe,
        "Probe.Widget.1",
        "Probe.Widget",
        "Probe Class",
        IID_NULL,
        &automation::CreateObject<CProbe>,
    } });
    return module;
}

} // namespace

PLINTH_COMPONENT_EXPORTS(Module())
