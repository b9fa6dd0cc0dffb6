#pragma once

// A component declares each dispatch interface once, as a table of rows:
//
//   const automation::CDispatchTable<CVerup>& CVerup::Table()
//   {
//       static const automation::CDispatchTable<CVerup> table(IID_IVerup, "IVerup", "IVerup Interface", {
//           {2, "IsVerup", automation::MemberKind::Method,
//            {{"strProgID", VT_BSTR}, {"strNewVersion", VT_BSTR}}, VT_BOOL, &CVerup::IsVerup},
//           {6, "GetVerupXML", automation::MemberKind::Method, {}, VT_BSTR, &CVerup::GetVerupXML},
//       });
//       return table;
//   }
//
// and writes each handler as HRESULT CVerup::IsVerup(automation::CDispatchCall& call).
// The type description, name lookup, argument conversion and exception
// records all come from the table.

#include "platform/automation/DispatchInterface.h"

#include <functional>

namespace automation {

template <typename T> class CDispatchTable : public CDispatchInterface {
public:
    using Handler = std::function<HRESULT(T&, CDispatchCall&)>;

    struct Row {
        DISPID id;
        std::string name;
        MemberKind kind;
        std::vector<DispatchParameter> parameters;
        VARTYPE result;
        Handler handler;
        bool readOnly = false;
    };

    CDispatchTable(REFIID iid, std::string name, std::string help, const std::vector<Row>& rows)
        : CDispatchInterface(iid, std::move(name), std::move(help), MembersOf(rows))
    {
        for (const Row& row : rows)
            m_handlers.push_back(row.handler);
    }

protected:
    HRESULT Call(void* self, std::size_t row, CDispatchCall& call) const override
    {
        const Handler& handler = m_handlers[row];
        return handler ? handler(*static_cast<T*>(self), call) : E_NOTIMPL;
    }

private:
    static std::vector<DispatchMember> MembersOf(const std::vector<Row>& rows)
    {
        std::vector<DispatchMember> members;
        for (const Row& row : rows)
            members.push_back({ row.id, row.name, row.kind, row.parameters, row.result, row.readOnly });
        return members;
    }

    std::vector<Handler> m_handlers;
};

} // namespace automation
