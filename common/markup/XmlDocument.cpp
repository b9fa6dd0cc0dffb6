#include "common/markup/XmlDocument.h"

#include "common/markup/AttributeValue.h"
#include "common/markup/ScanToken.h"

#include <climits>
#include <cstring>

using markup::ScanToken;

namespace {

constexpr std::string_view ElementTagNotFound = "Element tag not found";
constexpr std::string_view AbruptEndWithinTag = "Abrupt end within tag";
constexpr std::string_view TagStartsWithQuote = "Tag starts with quote";
constexpr std::string_view InvalidNode = "Invalid node";
constexpr std::string_view EndOfTagNotFound = "End of tag not found";
constexpr std::string_view EndTagDoesNotCorrespond = "End tag does not correspond to %s";
constexpr std::string_view EndTagNotCompleted = "End tag not completed for element %s";
constexpr std::string_view NestedTooDeeply = "Elements nested deeper than 1000 levels";
static_assert(CXmlDocument::MaxDepth == 1000, "the message names the limit");
constexpr std::string_view TextTooLong = "Text too long";

// Offsets are 32-bit, so a text must stay below this length.
constexpr size_t MaxTextLength = INT_MAX - 1;

int Find(std::string_view text, char byte, int from)
{
    if (from >= static_cast<int>(text.size()))
        return -1;
    const void* found = std::memchr(text.data() + from, byte, text.size() - from);
    return found ? static_cast<int>(static_cast<const char*>(found) - text.data()) : -1;
}

// Offset just after the first `marker` at or after `from`, or -1.
int FindAfter(std::string_view text, std::string_view marker, int from)
{
    if (from > static_cast<int>(text.size()))
        return -1;
    const size_t found = text.find(marker, from);
    return found == std::string_view::npos ? -1 : static_cast<int>(found + marker.size());
}

// A name that SetAttribute may write: anything else could end the tag, start a
// value or be read back as another name.
bool IsWritableAttributeName(const char* name)
{
    if (!name || !*name)
        return false;
    for (const char* p = name; *p; ++p) {
        if (markup::IsNameDelimiter(*p) || markup::IsNameTerminator(*p) || *p == '\'' || *p == '"')
            return false;
    }
    return true;
}

} // namespace

CXmlDocument::CXmlDocument()
{
    Load(nullptr);
}

CXmlDocument::CXmlDocument(const char* text)
{
    Load(text);
}

bool CXmlDocument::Load(const char* text)
{
    m_parentPos = m_currentPos = m_childPos = 0;
    m_currentIsElement = 0;
    m_nextFree = 1;
    m_text.assign(text ? text : "");
    ++m_textVersion;

    const size_t wanted = m_text.size() / 64 + 8;
    if (m_elements.size() < wanted)
        m_elements.resize(wanted);
    m_elements[0] = {};

    bool loaded = false;
    if (m_text.size() > MaxTextLength) {
        m_error = TextTooLong;
    } else if (!m_text.empty()) {
        const int root = ParseElement(0, 1);
        if (root > 0) {
            m_elements[0].firstChild = root;
            loaded = true;
        } else {
            m_elements[0] = {};
            m_nextFree = 1;
        }
    }

    m_parentPos = m_currentPos = m_childPos = 0;
    m_currentIsElement = 0;
    return loaded;
}

int CXmlDocument::NewEntry(int parent)
{
    if (m_nextFree == static_cast<int>(m_elements.size()))
        m_elements.resize(m_elements.size() + m_elements.size() / 2);
    const int entry = m_nextFree++;
    ElementRecord& record = m_elements[entry];
    record = {};
    record.startLeft = m_elements[parent].endLeft;
    record.parent = parent;
    return entry;
}

int CXmlDocument::Fail(int entry, std::string_view message, std::string_view elementName)
{
    m_error.assign(message);
    const size_t placeholder = m_error.find("%s");
    if (placeholder != std::string::npos)
        m_error.replace(placeholder, 2, elementName);
    if (entry == m_nextFree - 1)
        --m_nextFree;
    return -1;
}

// Parses one element under `parent`, starting at the parent's end left. The
// result is the new entry, 0 when an end tag stands where an element was
// expected (the parent's end left is then on its '<'), or -1 on error.
int CXmlDocument::ParseElement(int parent, int depth)
{
    const std::string_view text = m_text;
    const int entry = NewEntry(parent);
    int from = m_elements[parent].endLeft;
    ScanToken token;

    for (;;) {
        const int open = Find(text, '<', from);
        if (open < 0)
            return Fail(entry, ElementTagNotFound);
        m_elements[entry].startLeft = open;
        m_elements[parent].endLeft = open;
        token.next = open + 1;
        if (!token.Scan(m_text))
            return Fail(entry, AbruptEndWithinTag);
        if (token.quoted)
            return Fail(entry, TagStartsWithQuote);
        const char first = text[token.left];
        if (first == '?' || first == '!') {
            from = SkipOtherNode(token.left);
            if (from < 0)
                return Fail(entry, InvalidNode);
            continue;
        }
        if (first == '/') {
            --m_nextFree;
            return 0;
        }
        break;
    }

    const std::string_view name = token.Text(text);
    if (depth > MaxDepth)
        return Fail(entry, NestedTooDeeply);
    const int close = Find(text, '>', token.next);
    if (close < 0)
        return Fail(entry, EndOfTagNotFound);
    m_elements[entry].startRight = close;
    if (text[close - 1] == '/') {
        m_elements[entry].endLeft = close - 1;
        m_elements[entry].endRight = close;
        return entry;
    }

    m_elements[entry].endLeft = close + 1;
    int previous = 0;
    for (;;) {
        const int child = ParseElement(entry, depth + 1);
        if (child < 0)
            return -1;
        if (child == 0)
            break;
        if (previous == 0)
            m_elements[entry].firstChild = child;
        else
            m_elements[previous].nextSibling = child;
        previous = child;
        m_elements[entry].endLeft = m_elements[child].endRight + 1;
    }

    // The end tag: '/', the element's name, any further tokens, then '>'.
    token.next = m_elements[entry].endLeft + 1;
    int count = 0;
    for (;;) {
        if (!token.Scan(m_text))
            return Fail(entry, EndTagNotCompleted, name);
        if (token.StartsWith(text, '>'))
            break;
        ++count;
        if (!token.quoted && count == 2 && !markup::NameMatches(token.Text(text), name))
            return Fail(entry, EndTagDoesNotCorrespond, name);
    }
    if (count < 2)
        return Fail(entry, EndTagNotCompleted, name);
    m_elements[entry].endRight = token.left;
    return entry;
}

// Skips a prolog, comment, character data section or declaration whose '?'
// or '!' stands at `marker`. The result is the offset after it, or -1.
int CXmlDocument::SkipOtherNode(int marker) const
{
    const std::string_view text = m_text;
    if (marker + 2 > static_cast<int>(text.size()))
        return -1;
    if (text[marker] == '?')
        return FindAfter(text, "?>", marker + 1);
    if (text[marker + 1] == '[')
        return FindAfter(text, "]]>", marker + 2);
    if (text[marker + 1] == '-')
        return FindAfter(text, "-->", marker + 2);

    ScanToken token;
    token.next = marker + 1;
    int brackets = 0;
    while (token.Scan(m_text)) {
        if (token.quoted)
            continue;
        const char first = text[token.left];
        if (first == '[')
            ++brackets;
        else if (first == ']')
            --brackets;
        else if (first == '>' && brackets == 0)
            return token.next;
    }
    return -1;
}

int CXmlDocument::FindFrom(int parent, int current, const char* name) const
{
    int candidate = current != 0 ? m_elements[current].nextSibling : m_elements[parent].firstChild;
    if (!name || !*name)
        return candidate;
    const std::string_view wanted(name);
    for (; candidate != 0; candidate = m_elements[candidate].nextSibling) {
        if (markup::NameMatches(TagName(candidate), wanted))
            return candidate;
    }
    return 0;
}

bool CXmlDocument::FindElement(const char* name)
{
    const int found = FindFrom(m_parentPos, m_currentPos, name);
    if (found == 0)
        return false;
    m_currentPos = found;
    m_parentPos = m_elements[found].parent;
    m_childPos = 0;
    m_currentIsElement = 1;
    return true;
}

bool CXmlDocument::FindChildElement(const char* name)
{
    if (m_currentPos == 0)
        FindElement();
    // A level without elements has no children to offer; searching from the
    // document node here would hand back the root as a child.
    if (m_currentPos == 0)
        return false;
    const int found = FindFrom(m_currentPos, m_childPos, name);
    if (found == 0)
        return false;
    m_childPos = found;
    m_currentPos = m_elements[found].parent;
    m_parentPos = m_elements[m_currentPos].parent;
    m_currentIsElement = m_currentPos != 0 ? 1 : 0;
    return true;
}

bool CXmlDocument::EnterElement()
{
    if (!IsOnElement())
        return false;
    m_parentPos = m_currentPos;
    m_currentPos = m_childPos;
    m_childPos = 0;
    m_currentIsElement = m_currentPos != 0 ? 1 : 0;
    return true;
}

bool CXmlDocument::LeaveElement()
{
    if (m_parentPos == 0)
        return false;
    m_childPos = m_currentPos;
    m_currentPos = m_parentPos;
    m_parentPos = m_elements[m_currentPos].parent;
    m_currentIsElement = 1;
    return true;
}

std::string_view CXmlDocument::TagName(int index) const
{
    if (index == 0)
        return {};
    ScanToken token;
    token.next = m_elements[index].startLeft + 1;
    if (!token.Scan(m_text))
        return {};
    return token.Text(m_text);
}

std::string CXmlDocument::GetChildTagName() const
{
    return std::string(TagName(m_childPos));
}

const CXmlDocument::TagTokens& CXmlDocument::ScanTag(int index) const
{
    if (m_tag.element == index && m_tag.textVersion == m_textVersion)
        return m_tag;
    m_tag.element = index;
    m_tag.textVersion = m_textVersion;
    m_tag.tokens.clear();
    m_tag.names.clear();
    m_tag.stop = -1;
    const std::string_view text = m_text;
    ScanToken token;
    token.next = m_elements[index].startLeft + 1;
    while (token.Scan(m_text)) {
        if (!token.quoted && (text[token.left] == '>' || text[token.left] == '/')) {
            m_tag.stop = token.left;
            break;
        }
        if (!token.quoted && text[token.left] != '=' && !m_tag.tokens.empty())
            m_tag.names.push_back({ static_cast<int>(m_tag.tokens.size()), token.left, token.Length() });
        m_tag.tokens.push_back(token);
    }
    return m_tag;
}

// Index of the first token that names an attribute matching `name`, -1 if none.
int CXmlDocument::FindName(const TagTokens& tag, std::string_view name) const
{
    const char* text = m_text.data();
    for (const TagTokens::Name& candidate : tag.names) {
        if (markup::NameMatches(std::string_view(text + candidate.left, candidate.length), name))
            return candidate.token;
    }
    return -1;
}

// The value of an attribute is the quoted token two after its name, so values
// must be quoted and the first of two equal names wins.
std::string CXmlDocument::ReadAttribute(int index, const char* name) const
{
    if (index == 0 || !m_currentIsElement || !name || !*name)
        return {};
    const TagTokens& tag = ScanTag(index);
    const int found = FindName(tag, name);
    if (found < 0 || found + 2 >= static_cast<int>(tag.tokens.size()) || !tag.tokens[found + 2].quoted)
        return {};
    return markup::DecodeValue(tag.tokens[found + 2].Text(m_text));
}

std::string CXmlDocument::GetAttribute(const char* name) const
{
    return ReadAttribute(m_currentPos, name);
}

std::string CXmlDocument::GetChildAttribute(const char* name) const
{
    return ReadAttribute(m_childPos, name);
}

std::string CXmlDocument::GetAttributeName(int n) const
{
    if (!IsOnElement() || n < 0)
        return {};
    const TagTokens& tag = ScanTag(m_currentPos);
    if (n >= static_cast<int>(tag.names.size()))
        return {};
    return m_text.substr(tag.names[n].left, tag.names[n].length);
}

bool CXmlDocument::SetAttribute(const char* name, const char* value)
{
    if (!IsOnElement() || !IsWritableAttributeName(name))
        return false;
    const int element = m_currentPos;
    const ElementRecord& record = m_elements[element];
    const std::string encoded = markup::EncodeValue(value ? value : "");

    const TagTokens& tag = ScanTag(element);
    const int found = FindName(tag, name);
    const bool hasValue = found >= 0 && found + 2 < static_cast<int>(tag.tokens.size()) && tag.tokens[found + 2].quoted;
    int offset = 0;
    int replaced = 0;
    std::string insertion;
    if (hasValue) {
        // A value whose quotes run past the tag's '>' would take the element's
        // content with it.
        const ScanToken& valueToken = tag.tokens[found + 2];
        if (valueToken.next > record.startRight)
            return false;
        offset = valueToken.left;
        replaced = valueToken.Length();
        insertion = encoded;
    } else {
        // The new attribute goes where the search stopped, so it can only be
        // read back when the search stopped at the tag's own end without
        // meeting the name (a name without a quoted value would hide it).
        const bool empty = record.startRight == record.endLeft + 1;
        offset = empty ? record.startRight - 1 : record.startRight;
        if (tag.stop != offset || found >= 0)
            return false;
        insertion.reserve(encoded.size() + std::strlen(name) + 4);
        insertion.append(" ").append(name).append("=\"").append(encoded).append("\"");
    }
    if (m_text.size() - replaced + insertion.size() > MaxTextLength)
        return false;

    const int delta = static_cast<int>(insertion.size()) - replaced;
    ChangeText(offset, replaced, insertion);
    ElementRecord& changed = m_elements[element];
    changed.startRight += delta;
    changed.endLeft += delta;
    changed.endRight += delta;
    ShiftOffsets(element, delta, false);
    return true;
}

bool CXmlDocument::RemoveElement()
{
    if (!IsOnElement())
        return false;
    const int element = m_currentPos;
    const ElementRecord& record = m_elements[element];

    int previous = 0;
    ElementRecord& parent = m_elements[record.parent];
    if (parent.firstChild == element) {
        parent.firstChild = record.nextSibling;
    } else {
        previous = parent.firstChild;
        while (previous != 0 && m_elements[previous].nextSibling != element)
            previous = m_elements[previous].nextSibling;
        if (previous != 0)
            m_elements[previous].nextSibling = record.nextSibling;
    }

    // Whitespace up to the next tag, or to the end of the text, goes with the element.
    const int size = static_cast<int>(m_text.size());
    int end = record.endRight + 1;
    int pos = end;
    while (pos < size && markup::IsWhitespace(m_text[pos]))
        ++pos;
    if (pos >= size)
        end = size;
    else if (m_text[pos] == '<')
        end = pos;
    const int removed = end - record.startLeft;

    ChangeText(record.startLeft, removed, {});
    ShiftOffsets(element, -removed, true);

    m_currentPos = previous;
    m_childPos = 0;
    m_currentIsElement = previous != 0 ? 1 : 0;
    return true;
}

std::string CXmlDocument::GetText() const
{
    return m_text;
}

std::string CXmlDocument::GetError() const
{
    return m_error;
}

void CXmlDocument::ChangeText(int offset, int count, std::string_view insertion)
{
    const int size = static_cast<int>(m_text.size());
    offset = offset < 0 ? 0 : (offset > size ? size : offset);
    count = count < 0 ? 0 : (count > size - offset ? size - offset : count);
    m_text.replace(offset, count, insertion);
    ++m_textVersion;
}

// Moves every offset that lies after a change of `delta` bytes made at
// `element`: the element's descendants (unless `startAfter`), everything that
// follows it in document order, and the end offsets of its ancestors.
void CXmlDocument::ShiftOffsets(int element, int delta, bool startAfter)
{
    if (!startAfter) {
        for (int child = m_elements[element].firstChild; child != 0; child = m_elements[child].nextSibling)
            ShiftSubtree(child, delta);
    }
    int node = element;
    for (;;) {
        for (int sibling = m_elements[node].nextSibling; sibling != 0; sibling = m_elements[sibling].nextSibling)
            ShiftSubtree(sibling, delta);
        if (node == 0)
            break;
        node = m_elements[node].parent;
        m_elements[node].endLeft += delta;
        m_elements[node].endRight += delta;
    }
}

void CXmlDocument::ShiftSubtree(int root, int delta)
{
    int node = root;
    for (;;) {
        ElementRecord& record = m_elements[node];
        record.startLeft += delta;
        record.startRight += delta;
        record.endLeft += delta;
        record.endRight += delta;
        if (record.firstChild != 0) {
            node = record.firstChild;
            continue;
        }
        while (node != root && m_elements[node].nextSibling == 0)
            node = m_elements[node].parent;
        if (node == root)
            return;
        node = m_elements[node].nextSibling;
    }
}
