// Loads arbitrary bytes as a markup document, walks every element and
// attribute, and edits along the way: attributes are set (existing ones and
// new ones, before and after the element's children are visited) and elements
// are removed. Every value set must read back at once, a refused edit must
// leave the text alone, and at the end the edited text must load again into
// exactly the element table that the edits left behind.

#include "common/markup/XmlDocument.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr int MaxAttributes = 64;

void Check(bool condition, const char* what)
{
    if (!condition) {
        std::fprintf(stderr, "markup_fuzz: %s\n", what);
        std::abort();
    }
}

// Decisions come from a hash of the input and a running counter, so that any
// input, seeds included, also exercises the editing operations.
class Choices {
public:
    Choices(const uint8_t* data, size_t size)
        : m_data(data)
        , m_size(size)
    {
        for (size_t i = 0; i < size; ++i)
            m_state = (m_state ^ data[i]) * 0x100000001b3ULL;
    }

    unsigned Next(unsigned range)
    {
        m_state = m_state * 6364136223846793005ULL + 1442695040888963407ULL;
        return static_cast<unsigned>((m_state >> 33) % range);
    }

    // A few bytes of the input itself, so values hold quotes, entities and
    // double-byte characters as often as the input does.
    std::string Value()
    {
        if (m_size == 0)
            return {};
        const size_t from = Next(static_cast<unsigned>(m_size));
        const size_t length = Next(24);
        std::string value(reinterpret_cast<const char*>(m_data) + from, std::min(length, m_size - from));
        return value.substr(0, std::strlen(value.c_str()));
    }

private:
    const uint8_t* m_data;
    size_t m_size;
    uint64_t m_state = 0xcbf29ce484222325ULL;
};

void ReadAttributes(const CXmlDocument& doc)
{
    for (int n = 0; n < MaxAttributes; ++n) {
        const std::string name = doc.GetAttributeName(n);
        if (name.empty())
            break;
        // Names are never empty; the first of two equal names gives the value.
        doc.GetAttribute(name.c_str());
    }
}

void SetAndReadBack(CXmlDocument& doc, Choices& choices)
{
    std::string name = choices.Next(2) ? doc.GetAttributeName(static_cast<int>(choices.Next(4))) : "FuzzAttr";
    if (name.empty())
        name = "Added";
    const std::string value = choices.Value();
    const std::string before = doc.GetText();
    if (doc.SetAttribute(name.c_str(), value.c_str()))
        Check(doc.GetAttribute(name.c_str()) == value, "a value set does not read back");
    else
        Check(doc.GetText() == before, "a refused SetAttribute changed the text");
}

// Visits the current element and its subtree, reading every attribute and
// editing as the choices say.
void Walk(CXmlDocument& doc, bool isRoot, Choices& choices)
{
    if (choices.Next(4) == 0)
        SetAndReadBack(doc, choices);

    while (doc.FindChildElement()) {
        Check(!doc.GetChildTagName().empty(), "a child without a tag name");
        Check(doc.EnterElement(), "cannot enter a child that was found");
        Walk(doc, false, choices);
        Check(doc.LeaveElement(), "cannot leave an entered child");
    }

    if (choices.Next(4) == 0)
        SetAndReadBack(doc, choices);
    ReadAttributes(doc);
    if (!isRoot && choices.Next(5) == 0)
        Check(doc.RemoveElement(), "cannot remove the current element");
}

} // namespace

struct XmlDocumentAccess {
    // The reachable elements in document order: depth and the four offsets,
    // with every parent link checked on the way.
    static std::vector<int> Outline(const CXmlDocument& doc)
    {
        std::vector<int> outline;
        Add(doc, doc.m_elements[0].firstChild, 0, 1, outline);
        return outline;
    }

private:
    static void Add(const CXmlDocument& doc, int first, int parent, int depth, std::vector<int>& outline)
    {
        for (int index = first; index != 0; index = doc.m_elements[index].nextSibling) {
            const auto& record = doc.m_elements[index];
            Check(record.parent == parent, "a broken parent link");
            outline.insert(
                outline.end(), { depth, record.startLeft, record.startRight, record.endLeft, record.endRight });
            Add(doc, record.firstChild, index, depth + 1, outline);
        }
    }
};

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    CXmlDocument doc;
    if (!doc.Load(text.c_str())) {
        Check(!doc.FindElement() && !doc.FindChildElement() && doc.GetAttributeName(0).empty(),
            "a failed document still has elements");
        Check(!doc.SetAttribute("a", "b") && !doc.RemoveElement(), "a failed document accepts edits");
        return 0;
    }
    Check(doc.FindElement(), "a loaded document has no root");

    Choices choices(data, size);
    Walk(doc, true, choices);

    // The root stays, so the edited text loads again, into the same table.
    CXmlDocument reloaded;
    Check(reloaded.Load(doc.GetText().c_str()), "the edited text does not load");
    Check(reloaded.FindElement(), "the edited text has no root");
    Check(XmlDocumentAccess::Outline(reloaded) == XmlDocumentAccess::Outline(doc),
        "the edited element table differs from that of its reloaded text");
    return 0;
}
