#pragma once

// Mendor.Verup: the upgrade component's one object. It answers IVerup, a dual
// interface whose members are called by name:
//
//   id  member               arguments                                   result
//   2   IsVerup              strProgID, strNewVersion                    bool
//   3   IsVerupExe           strEXEPath, strOldVersion                   bool
//   4   AddVerup             strProgID, strNewVersion, bstrDownloadURL   bool
//   5   AddVerupExe          strEXEPath, strNewVersion, bstrDownloadURL  bool
//   6   GetVerupXML          -                                           string
//   7   GetCOMPath           strProgID                                   string
//   8   IsInstallCOM         strProgID                                   bool
//   9   GetCOMVersion        strProgID                                   string
//   10  GetEXEVersion        strEXEPath                                  string
//   11  GetVerupXMLEx        strVerupXML                                 string
//   12  Verup                strVerupVersion, strVerupURL                bool
//   13  GetCOMPathFromClsID  strClassId                                  string
//   14  RemoveAll            -                                           -
//   15  UpdateSoft           bstrXML                                     bool
//   16  AddVerupEx           bstrXML                                     bool
//   17  GetLastError         -                                           string
//   18  HttpGetText          strURL                                      string
//
// Every member succeeds towards the automation layer; outcomes travel in the
// results and in the last error text that GetLastError returns. Booleans are
// 1 and 0. AddVerup and AddVerupExe answer 1 (the entry was added); Verup and
// AddVerupEx accept their arguments, do nothing and answer 0.

#include "components/mendor/PendingList.h"
#include "components/mendor/UpgradePlan.h"
#include "platform/automation/Component.h"

#include <string>

namespace mendor {

extern const CLSID CLSID_Verup;
extern const IID IID_IVerup;
extern const GUID LIBID_MENDORLib;

class CVerup : public automation::CDispatchObject<CVerup> {
public:
    static const automation::CDispatchTable<CVerup>& Table();

    HRESULT IsVerup(automation::CDispatchCall& call);
    HRESULT IsVerupExe(automation::CDispatchCall& call);
    HRESULT AddVerup(automation::CDispatchCall& call);
    HRESULT AddVerupExe(automation::CDispatchCall& call);
    HRESULT GetVerupXML(automation::CDispatchCall& call);
    HRESULT GetCOMPath(automation::CDispatchCall& call);
    HRESULT IsInstallCOM(automation::CDispatchCall& call);
    HRESULT GetCOMVersion(automation::CDispatchCall& call);
    HRESULT GetEXEVersion(automation::CDispatchCall& call);
    HRESULT GetVerupXMLEx(automation::CDispatchCall& call);
    HRESULT Verup(automation::CDispatchCall& call);
    HRESULT GetCOMPathFromClsID(automation::CDispatchCall& call);
    HRESULT RemoveAll(automation::CDispatchCall& call);
    HRESULT UpdateSoft(automation::CDispatchCall& call);
    HRESULT AddVerupEx(automation::CDispatchCall& call);
    HRESULT GetLastError(automation::CDispatchCall& call);
    HRESULT HttpGetText(automation::CDispatchCall& call);

private:
    // Whether the component can be created; this creates and releases one.
    static bool CanCreate(const std::string& progId);
    bool UpdateSoft(const std::string& xml);

    std::string m_lastError;
    CUpgradePlan m_plan;
    CPendingList m_pending;
};

} // namespace mendor
