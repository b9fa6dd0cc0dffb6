#include "components/mendor/Version.h"

#include "components/mendor/Text.h"
#include "platform/system/FileVersion.h"

#include <cstdio>

namespace mendor {

namespace {

bool IsSeparator(char c)
{
    return c == ',' || c == '.';
}

// The low 16 bits of the number at the start of the text: an optional sign
// and the digits that follow it; anything else reads as 0.
WORD LeadingNumber(std::string_view text)
{
    std::size_t at = 0;
    bool negative = false;
    if (at < text.size() && (text[at] == '+' || text[at] == '-'))
        negative = text[at++] == '-';
    WORD value = 0;
    for (; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at)
        value = static_cast<WORD>(value * 10 + (text[at] - '0'));
    return negative ? static_cast<WORD>(-value) : value;
}

void AddField(std::string_view piece, std::vector<WORD>& fields)
{
    const std::string trimmed = TrimBlanks(piece);
    if (!trimmed.empty())
        fields.push_back(LeadingNumber(trimmed));
}

} // namespace

bool ParseVersion(std::string_view text, std::vector<WORD>& fields)
{
    fields.clear();
    const std::string version = TrimBlanks(text);
    if (version.empty())
        return false;
    const std::size_t last = version.size() - 1;
    std::size_t pieceStart = 0;
    for (std::size_t at = 0; at < last; ++at) {
        if (IsSeparator(version[at])) {
            AddField(std::string_view(version).substr(pieceStart, at - pieceStart), fields);
            pieceStart = at + 1;
        }
    }
    // A separator in the last place stays with the last piece, where it is
    // no number; a piece that is nothing but that separator adds no field, so
    // a text of separators alone holds no version.
    std::string_view lastPiece = std::string_view(version).substr(pieceStart);
    if (lastPiece.size() == 1 && IsSeparator(lastPiece.front()))
        lastPiece = {};
    AddField(lastPiece, fields);
    return !fields.empty();
}

bool NeedsUpgrade(std::string_view installed, std::string_view offered)
{
    std::vector<WORD> installedFields;
    std::vector<WORD> offeredFields;
    const bool installedRead = ParseVersion(installed, installedFields);
    const bool offeredRead = ParseVersion(offered, offeredFields);
    if (!installedRead && offeredRead)
        return true;
    for (std::size_t position = 0; position < 4; ++position) {
        const WORD have = position < installedFields.size() ? installedFields[position] : 0;
        const WORD offer = position < offeredFields.size() ? offeredFields[position] : 0;
        if (offer != have)
            return offer > have;
    }
    return false;
}

std::string FileVersionString(const std::string& path)
{
    if (path.empty())
        return "0.0.0.0";
    DWORD handle = 0;
    const DWORD size = GetFileVersionInfoSizeA(path.c_str(), &handle);
    if (size == 0)
        return "0.0.0.0";
    std::vector<BYTE> block(size);
    if (!GetFileVersionInfoA(path.c_str(), handle, size, block.data()))
        return "0.0.0.0";
    DWORD versionMS = 0;
    DWORD versionLS = 0;
    void* fixed = nullptr;
    UINT length = 0;
    if (VerQueryValueA(block.data(), "\\", &fixed, &length) && length == sizeof(VS_FIXEDFILEINFO)) {
        const auto* info = static_cast<const VS_FIXEDFILEINFO*>(fixed);
        versionMS = info->dwFileVersionMS;
        versionLS = info->dwFileVersionLS;
    }
    char text[48];
    std::snprintf(
        text, sizeof text, "%u,%u,%u,%u", versionMS >> 16, versionMS & 0xFFFF, versionLS >> 16, versionLS & 0xFFFF);
    return text;
}

} // namespace mendor
