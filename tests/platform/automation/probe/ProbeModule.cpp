// The probe component's classes, their type descriptions and entry points.

#include "tests/platform/automation/probe/FaultyTypeInfo.h"
#include "tests/platform/automation/probe/Probe.h"

namespace probe {

namespace {

using automation::CCoclassTypeInfo;
using Fault = CFaultyTypeInfo::Call;

ITypeInfo* ProbeInterface()
{
    return CProbe::Table().TypeInfo();
}
ITypeInfo* ExtraInterface()
{
    return CProbe::ExtraTable().TypeInfo();
}

CCoclassTypeInfo* Coclass(Variant variant, std::vector<automation::ImplementedInterface> interfaces)
{
    return new CCoclassTypeInfo(ClassId(variant), "Probe", ProbeDescription, std::move(interfaces));
}

// The description each class gives; null for the classes that give none.
ITypeInfo* DescriptionOf(Variant variant)
{
    switch (variant) {
    case Variant::Probe: {
        static auto* info = Coclass(variant, { { ExtraInterface(), 0 }, { ProbeInterface(), IMPLTYPEFLAG_FDEFAULT } });
        return info;
    }
    case Variant::Plain:
        return ProbeInterface();
    case Variant::NoTypeInfo:
    case Variant::NullTypeInfo:
        return nullptr;
    case Variant::NoDefault: {
        static auto* info = Coclass(variant, { { ExtraInterface(), 0 }, { ProbeInterface(), 0 } });
        return info;
    }
    case Variant::BrokenRef: {
        static CFaultyTypeInfo info(
            Coclass(variant, { { ProbeInterface(), IMPLTYPEFLAG_FDEFAULT } }), Fault::RefTypeInfo, 0, E_ACCESSDENIED);
        return &info;
    }
    case Variant::TakenThenBroken: {
        static CFaultyTypeInfo info(
            Coclass(
                variant, { { ProbeInterface(), IMPLTYPEFLAG_FDEFAULT }, { ExtraInterface(), IMPLTYPEFLAG_FDEFAULT } }),
            Fault::RefTypeInfo, 1, E_ACCESSDENIED);
        return &info;
    }
    case Variant::LaterDefault: {
        static auto* info = Coclass(
            variant, { { ExtraInterface(), IMPLTYPEFLAG_FDEFAULT }, { ProbeInterface(), IMPLTYPEFLAG_FDEFAULT } });
        return info;
    }
    case Variant::UnreadableFlags: {
        static CFaultyTypeInfo info(
            Coclass(variant, { { ProbeInterface(), IMPLTYPEFLAG_FDEFAULT } }), Fault::ImplTypeFlags, 0, E_FAIL);
        return &info;
    }
    case Variant::WrongKind: {
        static CFaultyTypeInfo info(ProbeInterface(), Fault::None, 0, S_OK, TKIND_INTERFACE);
        return &info;
    }
    case Variant::BadFunction: {
        static CFaultyTypeInfo info(ProbeInterface(), Fault::FuncDesc, 1, E_HANDLE);
        return &info;
    }
    case Variant::BadVariable: {
        static CFaultyTypeInfo info(ProbeInterface(), Fault::VarDesc, 0, E_ABORT);
        return &info;
    }
    }
    return nullptr;
}

template <Variant V> HRESULT Create(REFIID iid, void** object)
{
    if (!object)
        return E_POINTER;
    auto* probe = new CProbe(V);
    probe->AddRef();
    const HRESULT hr = probe->QueryInterface(iid, object);
    probe->Release();
    return hr;
}

template <std::size_t... I> std::vector<automation::ComponentClass> ClassList(std::index_sequence<I...>)
{
    return { automation::ComponentClass { ClassId(Classes[I].variant), std::string(Classes[I].progId) + ".1",
        Classes[I].progId, ProbeDescription, LIBID_Probe, &Create<Classes[I].variant> }... };
}

automation::CComponentModule& Module()
{
    static automation::CComponentModule module(ClassList(std::make_index_sequence<Classes.size()>()));
    return module;
}

} // namespace

HRESULT CProbe::GetTypeInfo(UINT index, LCID, ITypeInfo** typeInfo)
{
    if (!typeInfo)
        return E_POINTER;
    *typeInfo = nullptr;
    if (index != 0)
        return DISP_E_BADINDEX;
    if (m_variant == Variant::NoTypeInfo)
        return E_NOTIMPL;
    *typeInfo = DescriptionOf(m_variant);
    if (*typeInfo)
        (*typeInfo)->AddRef();
    return S_OK;
}

} // namespace probe

PLINTH_COMPONENT_EXPORTS(probe::Module())
