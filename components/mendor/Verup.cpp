#include "components/mendor/Verup.h"

#include "common/http/VelInternet.h"
#include "components/mendor/HandOff.h"
#include "components/mendor/Messages.h"
#include "components/mendor/ServerLookup.h"
#include "components/mendor/Text.h"
#include "components/mendor/Version.h"
#include "designer/automation/LateBoundObject.h"

namespace mendor {

using automation::CDispatchCall;
using automation::MemberKind;

const CLSID CLSID_Verup = { 0x9E526F70, 0xB183, 0x42A4, { 0x9E, 0xC5, 0x60, 0x71, 0x82, 0x93, 0xA4, 0xB5 } };
const IID IID_IVerup = { 0xB0748192, 0xD3A5, 0x44C6, { 0x80, 0xE7, 0x82, 0x93, 0xA4, 0xB5, 0xC6, 0xD7 } };
const GUID LIBID_MENDORLib = { 0xAF637081, 0xC294, 0x43B5, { 0xAF, 0xD6, 0x71, 0x82, 0x93, 0xA4, 0xB5, 0xC6 } };

namespace {

// In-process server, in-process handler, local server and remote server.
constexpr DWORD AnyServerContext = 23;

VARIANT_BOOL AsBool(bool value)
{
    return value ? 1 : 0;
}

} // namespace

const automation::CDispatchTable<CVerup>& CVerup::Table()
{
    using Row = automation::CDispatchTable<CVerup>::Row;
    const auto method = [](DISPID id, const char* name, std::vector<automation::DispatchParameter> parameters,
                            VARTYPE result, HRESULT (CVerup::*handler)(CDispatchCall&)) {
        return Row { id, name, MemberKind::Method, std::move(parameters), result,
            [handler](CVerup& self, CDispatchCall& call) { return (self.*handler)(call); } };
    };
    static const automation::CDispatchTable<CVerup> table(IID_IVerup, "IVerup", "IVerup Interface",
        {
            method(2, "IsVerup", { { "strProgID", VT_BSTR }, { "strNewVersion", VT_BSTR } }, VT_BOOL, &CVerup::IsVerup),
            method(3, "IsVerupExe", { { "strEXEPath", VT_BSTR }, { "strOldVersion", VT_BSTR } }, VT_BOOL,
                &CVerup::IsVerupExe),
            method(4, "AddVerup",
                { { "strProgID", VT_BSTR }, { "strNewVersion", VT_BSTR }, { "bstrDownloadURL", VT_BSTR } }, VT_BOOL,
                &CVerup::AddVerup),
            method(5, "AddVerupExe",
                { { "strEXEPath", VT_BSTR }, { "strNewVersion", VT_BSTR }, { "bstrDownloadURL", VT_BSTR } }, VT_BOOL,
                &CVerup::AddVerupExe),
            method(6, "GetVerupXML", {}, VT_BSTR, &CVerup::GetVerupXML),
            method(7, "GetCOMPath", { { "strProgID", VT_BSTR } }, VT_BSTR, &CVerup::GetCOMPath),
            method(8, "IsInstallCOM", { { "strProgID", VT_BSTR } }, VT_BOOL, &CVerup::IsInstallCOM),
            method(9, "GetCOMVersion", { { "strProgID", VT_BSTR } }, VT_BSTR, &CVerup::GetCOMVersion),
            method(10, "GetEXEVersion", { { "strEXEPath", VT_BSTR } }, VT_BSTR, &CVerup::GetEXEVersion),
            method(11, "GetVerupXMLEx", { { "strVerupXML", VT_BSTR } }, VT_BSTR, &CVerup::GetVerupXMLEx),
            method(
                12, "Verup", { { "strVerupVersion", VT_BSTR }, { "strVerupURL", VT_BSTR } }, VT_BOOL, &CVerup::Verup),
            method(13, "GetCOMPathFromClsID", { { "strClassId", VT_BSTR } }, VT_BSTR, &CVerup::GetCOMPathFromClsID),
            method(14, "RemoveAll", {}, VT_EMPTY, &CVerup::RemoveAll),
            method(15, "UpdateSoft", { { "bstrXML", VT_BSTR } }, VT_BOOL, &CVerup::UpdateSoft),
            method(16, "AddVerupEx", { { "bstrXML", VT_BSTR } }, VT_BOOL, &CVerup::AddVerupEx),
            method(17, "GetLastError", {}, VT_BSTR, &CVerup::GetLastError),
            method(18, "HttpGetText", { { "strURL", VT_BSTR } }, VT_BSTR, &CVerup::HttpGetText),
        });
    return table;
}

bool CVerup::CanCreate(const std::string& progId)
{
    CLateBoundObject object;
    const bool created = object.Create(progId.c_str(), AnyServerContext);
    object.Clear();
    return created;
}

HRESULT CVerup::IsVerup(CDispatchCall& call)
{
    const std::string installed = FileVersionString(ProgIdToServerPath(call.Ansi(0)));
    call.SetBool(AsBool(NeedsUpgrade(installed, call.Ansi(1))));
    return S_OK;
}

HRESULT CVerup::IsVerupExe(CDispatchCall& call)
{
    call.SetBool(AsBool(NeedsUpgrade(call.Ansi(1), FileVersionString(call.Ansi(0)))));
    return S_OK;
}

HRESULT CVerup::AddVerup(CDispatchCall& call)
{
    m_pending.AddComponent(call.Ansi(0), call.Ansi(1), call.Ansi(2));
    call.SetBool(1);
    return S_OK;
}

HRESULT CVerup::AddVerupExe(CDispatchCall& call)
{
    m_pending.AddProgram(call.Ansi(0), call.Ansi(1), call.Ansi(2));
    call.SetBool(1);
    return S_OK;
}

HRESULT CVerup::GetVerupXML(CDispatchCall& call)
{
    m_lastError.clear();
    call.SetAnsi(m_pending.EntryLines(&CVerup::CanCreate));
    return S_OK;
}

HRESULT CVerup::GetCOMPath(CDispatchCall& call)
{
    call.SetAnsi(ProgIdToServerPath(call.Ansi(0)));
    return S_OK;
}

HRESULT CVerup::IsInstallCOM(CDispatchCall& call)
{
    call.SetBool(AsBool(CanCreate(call.Ansi(0))));
    return S_OK;
}

HRESULT CVerup::GetCOMVersion(CDispatchCall& call)
{
    call.SetAnsi(FileVersionString(ProgIdToServerPath(call.Ansi(0))));
    return S_OK;
}

HRESULT CVerup::GetEXEVersion(CDispatchCall& call)
{
    call.SetAnsi(FileVersionString(call.Ansi(0)));
    return S_OK;
}

HRESULT CVerup::GetVerupXMLEx(CDispatchCall& call)
{
    m_lastError.clear();
    std::string description = call.Ansi(0);
    if (!m_plan.FilterPlan(description, m_lastError)) {
        m_lastError = message::NoNeedToUpgrade;
        description.clear();
    }
    call.SetAnsi(description);
    return S_OK;
}

HRESULT CVerup::Verup(CDispatchCall& call)
{
    call.SetBool(0);
    return S_OK;
}

HRESULT CVerup::GetCOMPathFromClsID(CDispatchCall& call)
{
    call.SetAnsi(ClassIdToServerPath(call.Ansi(0)));
    return S_OK;
}

HRESULT CVerup::RemoveAll(CDispatchCall&)
{
    m_pending.RemoveAll();
    return S_OK;
}

HRESULT CVerup::UpdateSoft(CDispatchCall& call)
{
    call.SetBool(AsBool(UpdateSoft(call.Ansi(0))));
    return S_OK;
}

bool CVerup::UpdateSoft(const std::string& xml)
{
    m_lastError.clear();
    if (xml.empty()) {
        m_lastError = message::DescriptionEmpty;
        return false;
    }
    std::string description = xml;
    if (IsHttpAddress(xml, 7)) {
        int code = 0;
        std::string errorText;
        description.clear();
        if (!CVelInternet().FetchText(xml, description, code, errorText)) {
            m_lastError = message::FetchDescriptionFailed;
            return false;
        }
    }
    if (description.empty()) {
        m_lastError = message::DescriptionEmpty;
        return false;
    }
    if (!m_plan.FilterPlan(description, m_lastError) || !m_plan.EnsureUpdater(m_lastError))
        return false;
    return CHandOff::Instance().Start(description, CUpgradePlan::UpdaterPath(), m_lastError);
}

HRESULT CVerup::AddVerupEx(CDispatchCall& call)
{
    call.SetBool(0);
    return S_OK;
}

HRESULT CVerup::GetLastError(CDispatchCall& call)
{
    call.SetAnsi(m_lastError);
    return S_OK;
}

HRESULT CVerup::HttpGetText(CDispatchCall& call)
{
    m_lastError.clear();
    const std::string url = call.Ansi(0);
    std::string text;
    if (IsHttpAddress(url, 6)) {
        int code = 0;
        std::string errorText;
        if (!CVelInternet().FetchText(url, text, code, errorText))
            m_lastError = message::FetchPageFailed;
    }
    call.SetAnsi(text);
    return S_OK;
}

} // namespace mendor
