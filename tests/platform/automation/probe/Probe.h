#pragma once

#include "tests/platform/automation/probe/ProbeIds.h"

#include "platform/automation/Component.h"

namespace probe {

// The probe object: one method per argument type it can be handed, failures
// of each kind, properties of each kind, and objects it makes.
class CProbe : public automation::CDispatchObject<CProbe> {
public:
    explicit CProbe(Variant variant = Variant::Plain)
        : m_variant(variant)
    {
    }

    static const automation::CDispatchTable<CProbe>& Table();
    static const automation::CDispatchTable<CProbe>& ExtraTable();

    HRESULT GetTypeInfo(UINT index, LCID locale, ITypeInfo** typeInfo) override;

private:
    HRESULT Echo(automation::CDispatchCall& call);
    HRESULT Join3(automation::CDispatchCall& call);
    HRESULT SumArray(automation::CDispatchCall& call);
    HRESULT JoinArray(automation::CDispatchCall& call);
    HRESULT Increment(automation::CDispatchCall& call);
    HRESULT CountByRefArray(automation::CDispatchCall& call);
    HRESULT Describe(automation::CDispatchCall& call);
    HRESULT FailDeferred(automation::CDispatchCall& call);
    HRESULT MakeChild(automation::CDispatchCall& call);
    HRESULT Name(automation::CDispatchCall& call);

    Variant m_variant;
    std::u16string m_name;
    LONG m_level = 0;
    LONG m_calls = 0;
};

} // namespace probe
