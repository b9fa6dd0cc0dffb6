#include "components/mendor/HandOff.h"

#include "components/mendor/Messages.h"
#include "platform/base/Errors.h"
#include "platform/system/SharedMemory.h"

#include <cstring>

namespace mendor {

namespace {

constexpr DWORD TakePollInterval = 20;

// Views are unmapped however the copy ends.
class CView {
public:
    CView(HANDLE mapping, DWORD access, SIZE_T bytes)
        : m_address(MapViewOfFile(mapping, access, 0, 0, bytes))
    {
    }
    ~CView()
    {
        if (m_address)
            UnmapViewOfFile(m_address);
    }
    CView(const CView&) = delete;
    CView& operator=(const CView&) = delete;

    char* Bytes() const { return static_cast<char*>(m_address); }

private:
    LPVOID m_address;
};

} // namespace

CHandOff& CHandOff::Instance()
{
    // Never destroyed: the block and the updater's handles stay with the
    // process to its end, after the platform's own tables have gone.
    static CHandOff* const instance = new CHandOff;
    return *instance;
}

bool CHandOff::EarlierTaken() const
{
    DWORD exitCode = 0;
    if (!m_updater.hProcess || !GetExitCodeProcess(m_updater.hProcess, &exitCode) || exitCode != STILL_ACTIVE)
        return true;
    CView view(m_mapping, FILE_MAP_READ, 1);
    return !view.Bytes() || view.Bytes()[0] == '\0';
}

bool CHandOff::ReleaseEarlier()
{
    if (!m_mapping)
        return true;
    for (DWORD waited = 0; !EarlierTaken(); waited += TakePollInterval) {
        if (waited >= TakeWait)
            return false;
        Sleep(TakePollInterval);
    }
    CloseHandle(m_mapping);
    m_mapping = nullptr;
    CloseUpdater();
    return true;
}

void CHandOff::CloseUpdater()
{
    if (m_updater.hProcess)
        CloseHandle(m_updater.hProcess);
    if (m_updater.hThread)
        CloseHandle(m_updater.hThread);
    m_updater = {};
}

bool CHandOff::Start(const std::string& description, const std::string& updaterPath, std::string& lastError)
{
    std::lock_guard lock(m_mutex);
    if (!ReleaseEarlier()) {
        lastError = message::HandOffBusy;
        return false;
    }
    const auto length = static_cast<DWORD>(description.size());
    HANDLE mapping = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, length, BlockName);
    if (!mapping) {
        lastError = message::HandOffFailed;
        return false;
    }
    if (GetLastError() == static_cast<DWORD>(ERROR_ALREADY_EXISTS)) {
        CloseHandle(mapping);
        lastError = message::HandOffBusy;
        return false;
    }
    {
        CView view(mapping, FILE_MAP_READ | FILE_MAP_WRITE, length);
        if (!view.Bytes()) {
            CloseHandle(mapping);
            lastError = message::HandOffFailed;
            return false;
        }
        std::memcpy(view.Bytes(), description.data(), length);
    }

    std::string commandLine = " " + std::to_string(length);
    STARTUPINFOA startup {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION updater {};
    if (!CreateProcessA(
            updaterPath.c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &updater)) {
        CloseHandle(mapping);
        lastError = message::HandOffFailed;
        return false;
    }
    m_mapping = mapping;
    m_updater = updater;
    return true;
}

} // namespace mendor
