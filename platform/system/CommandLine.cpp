#include "platform/system/CommandLine.h"

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

bool IsLeadByte(char c)
{
    auto byte = static_cast<unsigned char>(c);
    return byte >= 0x81 && byte <= 0xFE;
}

class CommandLineScanner {
public:
    explicit CommandLineScanner(std::string_view text)
        : m_text(text)
    {
    }

    std::vector<std::string> Split()
    {
        std::vector<std::string> arguments;
        arguments.push_back(ProgramName());
        while (true) {
            SkipBlanks();
            if (AtEnd())
                break;
            arguments.push_back(Argument());
        }
        return arguments;
    }

private:
    bool AtEnd() const { return m_position >= m_text.size(); }
    char Peek(std::size_t ahead = 0) const
    {
        return m_position + ahead < m_text.size() ? m_text[m_position + ahead] : '\0';
    }

    void SkipBlanks()
    {
        while (!AtEnd() && IsBlank(Peek()))
            ++m_position;
    }

    // Copies one character, both bytes of a double-byte character.
    void CopyCharacter(std::string& out)
    {
        if (IsLeadByte(Peek()) && m_position + 1 < m_text.size())
            out += m_text[m_position++];
        out += m_text[m_position++];
    }

    std::string ProgramName()
    {
        std::string name;
        bool quoted = false;
        while (!AtEnd() && (quoted || !IsBlank(Peek()))) {
            if (Peek() == '"') {
                quoted = !quoted;
                ++m_position;
            } else {
                CopyCharacter(name);
            }
        }
        return name;
    }

    std::string Argument()
    {
        std::string argument;
        bool quoted = false;
        while (!AtEnd() && (quoted || !IsBlank(Peek()))) {
            std::size_t backslashes = 0;
            while (Peek(backslashes) == '\\' && m_position + backslashes < m_text.size())
                ++backslashes;
            if (backslashes && Peek(backslashes) != '"') {
                argument.append(backslashes, '\\');
                m_position += backslashes;
                continue;
            }
            m_position += backslashes;
            argument.append(backslashes / 2, '\\');
            if (backslashes % 2) {
                argument += '"';
                ++m_position;
            } else if (Peek() == '"') {
                if (quoted && Peek(1) == '"') {
                    argument += '"';
                    m_position += 2;
                } else {
                    quoted = !quoted;
                    ++m_position;
                }
            } else {
                CopyCharacter(argument);
            }
        }
        return argument;
    }

    std::string_view m_text;
    std::size_t m_position = 0;
};

} // namespace

namespace sys {

std::vector<std::string> SplitCommandLine(std::string_view commandLine)
{
    return CommandLineScanner(commandLine).Split();
}

} // namespace sys
