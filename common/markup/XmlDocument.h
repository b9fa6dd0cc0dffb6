#pragma once

// The suite's own markup reader and in-place editor.
//
// The document keeps its text as one byte string (code page 936) and beside it
// a table of element records that hold only byte offsets into that text and
// the links of the element tree; names and values are cut out of the text only
// when asked for. A cursor of three positions (parent, current element,
// current child) walks the tree one level at a time:
//
//     CXmlDocument doc(text);
//     doc.FindElement("Orlan");
//     while (doc.FindChildElement()) {
//         doc.EnterElement();
//         for (int n = 0; !doc.GetAttributeName(n).empty(); ++n) ...
//         doc.LeaveElement();
//     }
//
// Only the first element of the text (the root) is read; what stands before
// it may be a prolog, comments or a document type, and what follows it is
// ignored. Failures never raise: Load answers false and GetError tells why.

#include "common/markup/ScanToken.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class CXmlDocument {
public:
    CXmlDocument();
    explicit CXmlDocument(const char* text);

    // Replaces the text (null reads as empty), rebuilds the tree and puts the
    // cursor before the root. False when the text holds no well-formed root.
    bool Load(const char* text);

    // Moves to the next element of the current level whose tag matches `name`
    // (null or empty: any element).
    bool FindElement(const char* name = nullptr);
    // Moves the child position to the next matching child of the current element.
    bool FindChildElement(const char* name = nullptr);
    // The current child becomes the current element.
    bool EnterElement();
    // The current element becomes the current child of its parent.
    bool LeaveElement();

    std::string GetChildTagName() const;
    // Values are decoded; an absent attribute reads as the empty string.
    std::string GetAttribute(const char* name) const;
    std::string GetChildAttribute(const char* name) const;
    // Name of the n-th attribute (0-based) of the current element, empty past the last.
    std::string GetAttributeName(int n) const;

    // Sets or adds an attribute of the current element, editing the text.
    bool SetAttribute(const char* name, const char* value);
    // Deletes the current element from the text; the cursor moves to the
    // previous sibling, so the next FindElement finds the element that followed.
    bool RemoveElement();

    std::string GetText() const;
    // Why the last failed Load failed.
    std::string GetError() const;

    // Deeper nesting fails to load rather than exhausting the stack.
    static constexpr int MaxDepth = 1000;

private:
    // Lets the fuzz program compare element tables after edits.
    friend struct XmlDocumentAccess;

    struct ElementRecord {
        int32_t startLeft = 0; // '<' of the start tag
        int32_t startRight = 0; // '>' of the start tag
        int32_t endLeft = 0; // '<' of the end tag; '/' of an empty element
        int32_t endRight = 0; // '>' of the end tag; start right of an empty element
        int32_t parent = 0;
        int32_t firstChild = 0;
        int32_t nextSibling = 0;
    };

    // The tokens of one start tag as the attribute search sees them: token i
    // is the i-th after the '<' (0 is the tag name), up to the unquoted '>' or
    // '/' that ends the search. Kept for the last tag asked about, because a
    // caller reads all attributes of an element one after another.
    struct TagTokens {
        int element = -1;
        uint64_t textVersion = 0;
        std::vector<markup::ScanToken> tokens;
        // The tokens that name attributes (unquoted, not '=', after the tag name), in order.
        struct Name {
            int token;
            int left;
            int length;
        };
        std::vector<Name> names;
        int stop = -1; // offset of the '>' or '/', -1 when the text ended first
    };

    int ParseElement(int parent, int depth);
    int NewEntry(int parent);
    int Fail(int entry, std::string_view message, std::string_view elementName = {});
    int SkipOtherNode(int marker) const;

    int FindFrom(int parent, int current, const char* name) const;
    std::string_view TagName(int index) const;
    const TagTokens& ScanTag(int index) const;
    int FindName(const TagTokens& tag, std::string_view name) const;
    std::string ReadAttribute(int index, const char* name) const;
    bool IsOnElement() const { return m_currentPos != 0 && m_currentIsElement; }

    void ChangeText(int offset, int count, std::string_view insertion);
    void ShiftOffsets(int element, int delta, bool startAfter);
    void ShiftSubtree(int root, int delta);

    std::string m_text;
    std::string m_error;
    std::vector<ElementRecord> m_elements;
    int m_parentPos = 0;
    int m_currentPos = 0;
    int m_childPos = 0;
    int m_nextFree = 1;
    int m_currentIsElement = 0;
    uint64_t m_textVersion = 0; // changes with every Load and edit
    mutable TagTokens m_tag;
};
