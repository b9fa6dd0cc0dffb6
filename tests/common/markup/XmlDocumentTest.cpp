#include "common/markup/XmlDocument.h"

#include "tests/support/TempSuiteRoot.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

template <typename Case> std::string CaseName(const testing::TestParamInfo<Case>& info)
{
    return info.param.name;
}

// Every test runs in a suite root of its own, though the document never touches it.
class MarkupTest : public testing::Test {
    test::TempSuiteRoot m_root;
};

template <typename Case> class MarkupCaseTest : public testing::TestWithParam<Case> {
    test::TempSuiteRoot m_root;
};

// The tree as the cursor sees it: tag[attribute=value ...](children ...).
void DumpChildren(CXmlDocument& doc, std::string& out);

std::string DumpCurrent(CXmlDocument& doc, const std::string& tag)
{
    std::string out = tag + "[";
    for (int n = 0;; ++n) {
        const std::string name = doc.GetAttributeName(n);
        if (name.empty())
            break;
        out += (n ? " " : "") + name + "=" + doc.GetAttribute(name.c_str());
    }
    out += "]";
    DumpChildren(doc, out);
    return out;
}

void DumpChildren(CXmlDocument& doc, std::string& out)
{
    std::string children;
    while (doc.FindChildElement()) {
        const std::string tag = doc.GetChildTagName();
        doc.EnterElement();
        children += (children.empty() ? "" : ",") + DumpCurrent(doc, tag);
        doc.LeaveElement();
    }
    if (!children.empty())
        out += "(" + children + ")";
}

// Dumps a freshly loaded document from its root.
std::string Dump(const std::string& text)
{
    CXmlDocument doc(text.c_str());
    return doc.FindElement() ? DumpCurrent(doc, "root") : "";
}

// ---------------------------------------------------------------- Load

struct LoadCase {
    const char* name;
    const char* text;
    bool loads;
    const char* error;
};

class LoadTest : public MarkupCaseTest<LoadCase> { };

TEST_P(LoadTest, ReportsOutcomeAndErrorText)
{
    CXmlDocument doc;
    EXPECT_EQ(doc.Load(GetParam().text), GetParam().loads);
    EXPECT_EQ(doc.GetError(), GetParam().error);
    EXPECT_EQ(doc.FindElement(), GetParam().loads);
}

INSTANTIATE_TEST_SUITE_P(Cases, LoadTest,
    testing::Values(LoadCase { "EmptyElement", "<a/>", true, "" },
        LoadCase { "EndTagIgnoresLetterCase", "<A></a>", true, "" },
        LoadCase { "NestedElements", "<r><a><b/></a><c></c></r>", true, "" },
        LoadCase { "SpacesInsideTags", "< r >< /r >", true, "" },
        LoadCase { "ExtraTokensInEndTag", "<a></a junk 'x'>", true, "" },
        LoadCase { "TextBeforeAndAfterRoot", "junk <a/> trailing <b", true, "" },
        LoadCase { "PrologCommentAndDoctype",
            "<?xml version='1.0' encoding='gb2312'?>\r\n<!-- note -->\r\n"
            "<!DOCTYPE r [ <!ENTITY e 'x>y'> <!ELEMENT r ANY> ]>\r\n<r><![CDATA[<x>]]><a/></r>",
            true, "" },
        LoadCase { "ChineseNamesAndValues", "<数据 名称='数据集'><项/></数据>", true, "" },
        LoadCase { "GreaterThanInValueOfElementWithEndTag", "<a b='x>y'></a>", true, "" },
        LoadCase { "NullText", nullptr, false, "" }, LoadCase { "EmptyText", "", false, "" },
        LoadCase { "EndTagInPlaceOfRoot", "</a>", false, "" },
        LoadCase { "NoTag", "plain text", false, "Element tag not found" },
        LoadCase { "MissingEndTag", "<a>", false, "Element tag not found" },
        LoadCase { "GreaterThanInValueEndsStartTag", "<a b='x>y'/>", false, "Element tag not found" },
        LoadCase { "SlashBeforeSpaceIsNoEmptyElement", "<a/ >", false, "Element tag not found" },
        LoadCase { "LoneLessThan", "<", false, "Abrupt end within tag" },
        LoadCase { "LessThanThenWhitespace", "<r><   ", false, "Abrupt end within tag" },
        LoadCase { "QuotedTagName", "<'a'/>", false, "Tag starts with quote" },
        LoadCase { "UnclosedComment", "<!-- never closed", false, "Invalid node" },
        LoadCase { "UnclosedProlog", "<?xml version='1.0'", false, "Invalid node" },
        LoadCase { "UnclosedCharacterData", "<r><![CDATA[x]]</r>", false, "Invalid node" },
        LoadCase { "UnclosedDoctype", "<!DOCTYPE r [ <!ENTITY e 'x'> ><r/>", false, "Invalid node" },
        LoadCase { "MarkerAtEnd", "<?", false, "Invalid node" },
        LoadCase { "UnclosedStartTag", "<a b='1'", false, "End of tag not found" },
        LoadCase { "MismatchedEndTag", "<a></b>", false, "End tag does not correspond to a" },
        LoadCase { "EndTagNameIsPrefix", "<ab></a>", false, "End tag does not correspond to ab" },
        LoadCase { "EndTagNameIsLonger", "<a></ab>", false, "End tag does not correspond to a" },
        LoadCase { "MismatchDeepInside", "<r><s><t></s></t></r>", false, "End tag does not correspond to t" },
        LoadCase { "ChineseMismatch", "<名称></数据>", false, "End tag does not correspond to 名称" },
        LoadCase { "UnfinishedEndTag", "<a></a", false, "End tag not completed for element a" },
        LoadCase { "EndTagWithoutName", "<a></>", false, "End tag not completed for element a" }),
    CaseName<LoadCase>);

TEST_F(MarkupTest, NestingIsBoundedAtMaxDepth)
{
    auto nested = [](int depth) {
        std::string text;
        for (int i = 0; i < depth; ++i)
            text += "<e>";
        for (int i = 0; i < depth; ++i)
            text += "</e>";
        return text;
    };
    CXmlDocument doc;
    EXPECT_TRUE(doc.Load(nested(CXmlDocument::MaxDepth).c_str()));
    EXPECT_FALSE(doc.Load(nested(CXmlDocument::MaxDepth + 1).c_str()));
    EXPECT_EQ(doc.GetError(), "Elements nested deeper than 1000 levels");
    // Far deeper input still fails cleanly instead of exhausting the stack.
    std::string unclosed;
    for (int i = 0; i < 100000; ++i)
        unclosed += "<e>";
    EXPECT_FALSE(doc.Load(unclosed.c_str()));
    EXPECT_EQ(doc.GetError(), "Elements nested deeper than 1000 levels");
}

TEST_F(MarkupTest, ReloadResetsTheTreeAndCursorButKeepsTheLastError)
{
    CXmlDocument doc("<a></b>");
    EXPECT_TRUE(doc.Load("<r><x/></r>"));
    EXPECT_EQ(doc.GetError(), "End tag does not correspond to a");
    ASSERT_TRUE(doc.FindChildElement());
    EXPECT_EQ(doc.GetChildTagName(), "x");

    EXPECT_TRUE(doc.Load("<s><y/></s>"));
    EXPECT_EQ(doc.GetChildTagName(), "");
    ASSERT_TRUE(doc.FindChildElement());
    EXPECT_EQ(doc.GetChildTagName(), "y");
}

TEST_F(MarkupTest, FailedDocumentAnswersEverythingQuietly)
{
    CXmlDocument doc("<r><a x='1'/>");
    EXPECT_FALSE(doc.FindElement());
    EXPECT_FALSE(doc.FindChildElement());
    EXPECT_FALSE(doc.EnterElement());
    EXPECT_FALSE(doc.LeaveElement());
    EXPECT_EQ(doc.GetChildTagName(), "");
    EXPECT_EQ(doc.GetAttribute("x"), "");
    EXPECT_EQ(doc.GetAttributeName(0), "");
    EXPECT_FALSE(doc.SetAttribute("x", "2"));
    EXPECT_FALSE(doc.RemoveElement());
    EXPECT_EQ(doc.GetText(), "<r><a x='1'/>");
}

// ---------------------------------------------------------------- Attributes

struct AttributeCase {
    const char* name;
    const char* text;
    const char* attribute;
    const char* value;
};

class GetAttributeTest : public MarkupCaseTest<AttributeCase> { };

TEST_P(GetAttributeTest, ReadsDecodedValueOfRoot)
{
    CXmlDocument doc(GetParam().text);
    ASSERT_TRUE(doc.FindElement()) << doc.GetError();
    EXPECT_EQ(doc.GetAttribute(GetParam().attribute), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(Cases, GetAttributeTest,
    testing::Values(AttributeCase { "SingleQuotes", "<a b='x'/>", "b", "x" },
        AttributeCase { "DoubleQuotes", "<a b=\"x y\"/>", "b", "x y" },
        AttributeCase { "SpacesAroundEquals", "<a b = 'x'></a>", "b", "x" },
        AttributeCase { "NameIgnoresLetterCase", "<a StartRow='2'/>", "startrow", "2" },
        AttributeCase { "SecondAttribute", "<a b='1' c='2'/>", "c", "2" },
        AttributeCase { "FirstOfTwoEqualNamesWins", "<a b='1' B='2'/>", "b", "1" },
        AttributeCase { "EmptyValue", "<a b='' c='2'/>", "b", "" }, AttributeCase { "Absent", "<a b='1'/>", "c", "" },
        AttributeCase { "WantedNameIsLonger", "<a Ali='x'/>", "Alias", "" },
        AttributeCase { "WantedNameIsShorter", "<a Alias='x'/>", "Ali", "" },
        AttributeCase { "WantedNameEndsAtTerminator", "<a b='x'/>", "b[1]", "x" },
        AttributeCase { "UnquotedValueIsNotRead", "<a b=1/>", "b", "" },
        AttributeCase { "UnquotedValueHidesLaterOnes", "<a b=1 c='2'/>", "c", "2" },
        AttributeCase { "NameWithoutValue", "<a b c='2'/>", "b", "" },
        AttributeCase { "AfterNameWithoutValue", "<a b c='2'/>", "c", "2" },
        AttributeCase { "TagNameIsNoAttribute", "<b b2='1'/>", "b", "" },
        AttributeCase { "Entities", "<a b='x &amp; y &foo; &#60;'/>", "b", "x & y &foo; &#60;" },
        AttributeCase { "AllFiveEntities", "<a b='&lt;&amp;&gt;&apos;&quot;'/>", "b", "<&>'\"" },
        AttributeCase { "EntityCutByValueEnd", "<a b='x&amp' c='amp;'/>", "b", "x&amp" },
        AttributeCase { "SlashInValue", "<a b='x/y'/>", "b", "x/y" },
        AttributeCase { "GreaterThanInValue", "<a b='x>y'></a>", "b", "x>y" },
        AttributeCase { "ChineseNameAndValue", "<a 名称='数据集'/>", "名称", "数据集" },
        AttributeCase { "NoAttributes", "<a/>", "a", "" }),
    CaseName<AttributeCase>);

TEST_F(MarkupTest, GetAttributeNameListsAttributesInOrder)
{
    CXmlDocument doc("<Alias Name='x' Row='1'/>");
    EXPECT_EQ(doc.GetAttributeName(0), "") << "no current element yet";
    ASSERT_TRUE(doc.FindElement());
    EXPECT_EQ(doc.GetAttributeName(0), "Name");
    EXPECT_EQ(doc.GetAttributeName(1), "Row");
    EXPECT_EQ(doc.GetAttributeName(2), "");
    EXPECT_EQ(doc.GetAttributeName(-1), "");
}

TEST_F(MarkupTest, GetAttributeNameCountsNamesWithoutValues)
{
    CXmlDocument doc("<a b c = 'v' d></a>");
    ASSERT_TRUE(doc.FindElement());
    EXPECT_EQ(doc.GetAttributeName(0), "b");
    EXPECT_EQ(doc.GetAttributeName(1), "c");
    EXPECT_EQ(doc.GetAttributeName(2), "d");
    EXPECT_EQ(doc.GetAttributeName(3), "");
}

TEST_F(MarkupTest, AttributeReadsFollowEditsAndReloads)
{
    CXmlDocument doc("<a b='1'/>");
    ASSERT_TRUE(doc.FindElement());
    EXPECT_EQ(doc.GetAttributeName(1), "");
    ASSERT_TRUE(doc.SetAttribute("c", "2"));
    EXPECT_EQ(doc.GetAttributeName(1), "c");
    ASSERT_TRUE(doc.SetAttribute("b", "one"));
    EXPECT_EQ(doc.GetAttribute("b"), "one");
    EXPECT_EQ(doc.GetAttribute("c"), "2");

    ASSERT_TRUE(doc.Load("<a b='x'/>"));
    ASSERT_TRUE(doc.FindElement());
    EXPECT_EQ(doc.GetAttribute("b"), "x");
    EXPECT_EQ(doc.GetAttributeName(1), "");
}

TEST_F(MarkupTest, ChildAttributesComeFromTheChildPosition)
{
    CXmlDocument doc("<r Name='root'><a Name='first'/><b Name='second'/></r>");
    EXPECT_EQ(doc.GetChildAttribute("Name"), "");
    ASSERT_TRUE(doc.FindChildElement("b"));
    EXPECT_EQ(doc.GetChildAttribute("Name"), "second");
    EXPECT_EQ(doc.GetAttribute("Name"), "root");
    EXPECT_EQ(doc.GetChildAttribute(""), "");
    EXPECT_EQ(doc.GetChildAttribute(nullptr), "");
}

// ---------------------------------------------------------------- Cursor

TEST_F(MarkupTest, FindChildElementVisitsEveryChildOnceInOrder)
{
    CXmlDocument doc("<r><a/><!-- c --><b><x/></b>text<c/></r>");
    ASSERT_TRUE(doc.FindElement("R"));
    std::vector<std::string> seen;
    while (doc.FindChildElement(""))
        seen.push_back(doc.GetChildTagName());
    EXPECT_EQ(seen, (std::vector<std::string> { "a", "b", "c" }));
    EXPECT_FALSE(doc.FindChildElement(""));
}

TEST_F(MarkupTest, FindChildElementByNameSkipsOthersAndStartsAtTheRoot)
{
    CXmlDocument doc("<Orlan><x/><Alias/><AliasSet/><alias/></Orlan>");
    // With no current element the first element of the level becomes current.
    ASSERT_TRUE(doc.FindChildElement("alias"));
    EXPECT_EQ(doc.GetChildTagName(), "Alias");
    ASSERT_TRUE(doc.FindChildElement("alias"));
    EXPECT_EQ(doc.GetChildTagName(), "alias");
    EXPECT_FALSE(doc.FindChildElement("alias"));
}

TEST_F(MarkupTest, FindElementMovesAlongOneLevel)
{
    CXmlDocument doc("<r><a n='1'/><b n='2'/><a n='3'/></r>");
    ASSERT_TRUE(doc.FindElement("r"));
    EXPECT_FALSE(doc.FindElement("r")) << "the root has no siblings";
    ASSERT_TRUE(doc.FindChildElement("a"));
    ASSERT_TRUE(doc.EnterElement());
    EXPECT_EQ(doc.GetAttribute("n"), "1");
    ASSERT_TRUE(doc.FindElement("a"));
    EXPECT_EQ(doc.GetAttribute("n"), "3");
    EXPECT_FALSE(doc.FindElement());
    ASSERT_TRUE(doc.LeaveElement());
    EXPECT_EQ(doc.GetAttribute("n"), "");
    EXPECT_EQ(doc.GetChildAttribute("n"), "3");
    EXPECT_FALSE(doc.LeaveElement()) << "the root has no parent element";
}

TEST_F(MarkupTest, EnterWithoutChildStandsBeforeTheFirstChild)
{
    CXmlDocument doc("<r><a/><b/></r>");
    ASSERT_TRUE(doc.FindElement());
    ASSERT_TRUE(doc.EnterElement());
    EXPECT_EQ(doc.GetAttributeName(0), "");
    EXPECT_FALSE(doc.EnterElement());
    ASSERT_TRUE(doc.FindElement());
    ASSERT_TRUE(doc.FindElement());
    ASSERT_TRUE(doc.LeaveElement());
    EXPECT_EQ(doc.GetChildTagName(), "b") << "the element left becomes the child";
    EXPECT_FALSE(doc.FindChildElement()) << "and the child search goes on after it";
}

TEST_F(MarkupTest, ChildSearchInsideALeafFindsNothing)
{
    CXmlDocument doc("<r><leaf/></r>");
    ASSERT_TRUE(doc.FindChildElement());
    ASSERT_TRUE(doc.EnterElement());
    ASSERT_TRUE(doc.EnterElement()) << "enters the leaf's empty level";
    EXPECT_FALSE(doc.FindChildElement());
    EXPECT_EQ(doc.GetChildTagName(), "");
    ASSERT_TRUE(doc.LeaveElement());
    ASSERT_TRUE(doc.LeaveElement());
    EXPECT_EQ(doc.GetChildTagName(), "leaf");
}

TEST_F(MarkupTest, WalkReadsTheWholeTree)
{
    CXmlDocument doc("<?xml version='1.0' encoding='gb2312'?>\r\n<Orlan>\r\n"
                     "<AliasSet Name='A' Type='Set'>\r\n<Alias Name='x' Row='1' Col='2' />\r\n</AliasSet>\r\n"
                     "<Kaldra Name='D'><Field Name='f' Col='3'/><Field Name='g'><Deep/></Field></Kaldra>\r\n"
                     "</Orlan>\r\n");
    EXPECT_EQ(Dump(doc.GetText()),
        "root[](AliasSet[Name=A Type=Set](Alias[Name=x Row=1 Col=2]),"
        "Kaldra[Name=D](Field[Name=f Col=3],Field[Name=g](Deep[])))");
}

// ---------------------------------------------------------------- SetAttribute

struct SetCase {
    const char* name;
    const char* text;
    const char* attribute;
    const char* value;
    const char* result;
};

class SetAttributeTest : public MarkupCaseTest<SetCase> { };

TEST_P(SetAttributeTest, EditsTheStartTagAndReadsBack)
{
    CXmlDocument doc(GetParam().text);
    ASSERT_TRUE(doc.FindElement());
    ASSERT_TRUE(doc.SetAttribute(GetParam().attribute, GetParam().value));
    EXPECT_EQ(doc.GetText(), GetParam().result);
    EXPECT_EQ(doc.GetAttribute(GetParam().attribute), GetParam().value ? GetParam().value : "");

    // The cursor still stands on the root with no child: the edited tree
    // reads exactly like the edited text loaded afresh.
    EXPECT_EQ(DumpCurrent(doc, "root"), Dump(doc.GetText()));
}

INSTANTIATE_TEST_SUITE_P(Cases, SetAttributeTest,
    testing::Values(SetCase { "AddToEmptyElement", "<a/>", "x", "1", "<a x=\"1\"/>" },
        SetCase { "AddToEmptyElementWithSpace", "<a b='2' />", "x", "1", "<a b='2'  x=\"1\"/>" },
        SetCase { "ReplaceKeepsQuotes", "<a x='0'></a>", "x", "1", "<a x='1'></a>" },
        SetCase { "ReplaceDoubleQuoted", "<a x=\"long value\"/>", "X", "s", "<a x=\"s\"/>" },
        SetCase { "ReplaceEmptyValue", "<a x=''/>", "x", "new", "<a x='new'/>" },
        SetCase { "AddBeforeContent", "<a><b/>t</a>", "x", "1", "<a x=\"1\"><b/>t</a>" },
        SetCase { "NullValueIsEmpty", "<a x='0'/>", "x", nullptr, "<a x=''/>" },
        SetCase { "EncodesTheFiveBytes", "<a/>", "x", "<&>'\"", "<a x=\"&lt;&amp;&gt;&apos;&quot;\"/>" },
        SetCase { "ReplaceWithQuoteInsideSingleQuotes", "<a x='0'/>", "x", "it's", "<a x='it&apos;s'/>" },
        SetCase { "Chinese", "<数据/>", "名称", "数据集", "<数据 名称=\"数据集\"/>" }),
    CaseName<SetCase>);

struct RefusedSetCase {
    const char* name;
    const char* text;
    const char* attribute;
};

class RefusedSetAttributeTest : public MarkupCaseTest<RefusedSetCase> { };

// Edits that could not be read back, or would break the text, leave it untouched.
TEST_P(RefusedSetAttributeTest, LeavesTheTextAlone)
{
    CXmlDocument doc(GetParam().text);
    ASSERT_TRUE(doc.FindElement()) << doc.GetError();
    EXPECT_FALSE(doc.SetAttribute(GetParam().attribute, "v"));
    EXPECT_EQ(doc.GetText(), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Cases, RefusedSetAttributeTest,
    testing::Values(RefusedSetCase { "NullName", "<a/>", nullptr }, RefusedSetCase { "EmptyName", "<a/>", "" },
        RefusedSetCase { "NameWithSpace", "<a/>", "b c" }, RefusedSetCase { "NameWithGreaterThan", "<a></a>", "b>" },
        RefusedSetCase { "NameWithQuote", "<a/>", "b'" }, RefusedSetCase { "NameWithSlash", "<a/>", "b/c" },
        RefusedSetCase { "NameWithBracket", "<a/>", "b[0]" }, RefusedSetCase { "StraySlashInTag", "<a / ></a>", "x" },
        RefusedSetCase { "NameWithoutValue", "<a x></a>", "x" },
        RefusedSetCase { "ValueRunsPastTag", "<a b='x>y'></a>", "b" },
        RefusedSetCase { "UnclosedQuoteInTag", "<a b='x></a>", "c" }),
    CaseName<RefusedSetCase>);

TEST_F(MarkupTest, SetAttributeKeepsEveryLaterElementInPlace)
{
    CXmlDocument doc("<r><a x='1'><b/></a><c y='2'/></r>");
    ASSERT_TRUE(doc.FindElement());
    ASSERT_TRUE(doc.SetAttribute("v", "root"));
    ASSERT_TRUE(doc.FindChildElement("a"));
    ASSERT_TRUE(doc.EnterElement());
    ASSERT_TRUE(doc.SetAttribute("x", "longer value"));
    ASSERT_TRUE(doc.FindElement("c"));
    ASSERT_TRUE(doc.SetAttribute("y", ""));
    ASSERT_TRUE(doc.SetAttribute("z", "3"));
    ASSERT_TRUE(doc.LeaveElement());
    ASSERT_TRUE(doc.SetAttribute("v", "r"));

    EXPECT_EQ(doc.GetText(), "<r v=\"r\"><a x='longer value'><b/></a><c y='' z=\"3\"/></r>");
    EXPECT_EQ(doc.GetChildTagName(), "c");
    EXPECT_EQ(doc.GetChildAttribute("z"), "3");
}

// ---------------------------------------------------------------- RemoveElement

struct RemoveCase {
    const char* name;
    const char* text;
    const char* removed; // tag of the root's child to remove, or "" for the root
    const char* result;
    const char* following; // what FindElement finds after the removal, "" for nothing
};

class RemoveElementTest : public MarkupCaseTest<RemoveCase> { };

TEST_P(RemoveElementTest, CutsTheElementAndContinuesAfterIt)
{
    CXmlDocument doc(GetParam().text);
    ASSERT_TRUE(doc.FindElement());
    if (*GetParam().removed) {
        ASSERT_TRUE(doc.FindChildElement(GetParam().removed));
        ASSERT_TRUE(doc.EnterElement());
    }
    ASSERT_TRUE(doc.RemoveElement());
    EXPECT_EQ(doc.GetText(), GetParam().result);

    std::string following;
    if (doc.FindElement())
        following = doc.GetAttribute("n");
    EXPECT_EQ(following, GetParam().following);
}

INSTANTIATE_TEST_SUITE_P(Cases, RemoveElementTest,
    testing::Values(
        RemoveCase { "Middle", "<r><a n='a'/> <b n='b'/> <c n='c'/></r>", "b", "<r><a n='a'/> <c n='c'/></r>", "c" },
        RemoveCase { "First", "<r><a n='a'/> <b n='b'/></r>", "a", "<r><b n='b'/></r>", "b" },
        RemoveCase { "Last", "<r><a n='a'/> <b n='b'/></r>", "b", "<r><a n='a'/> </r>", "" },
        RemoveCase { "WhitespaceUpToNextTag", "<r>\r\n<a n='a'/>\r\n\t<b n='b'/>\r\n</r>", "a",
            "<r>\r\n<b n='b'/>\r\n</r>", "b" },
        RemoveCase { "TextAfterStays", "<r><a n='a'/>text<b n='b'/></r>", "a", "<r>text<b n='b'/></r>", "b" },
        RemoveCase {
            "WithChildren", "<r><a n='a'><x/><y><z/></y></a><b n='b'></b></r>", "a", "<r><b n='b'></b></r>", "b" },
        RemoveCase {
            "CommentBeforeNextStays", "<r><a/> <!-- c --> <b n='b'/></r>", "a", "<r><!-- c --> <b n='b'/></r>", "b" },
        RemoveCase { "RootWithTrailingWhitespace", "<?xml version='1.0'?>\r\n<r><a/></r>\r\n", "",
            "<?xml version='1.0'?>\r\n", "" }),
    CaseName<RemoveCase>);

TEST_F(MarkupTest, FilteringLoopKeepsOnlyWhatItWants)
{
    CXmlDocument doc("<Verup NewVersion='2'>\r\n<COM ProgID='A' NewVersion='1'/>\r\n<EXE FileName='x'/>\r\n"
                     "<AutoRun FileName='y'/>\r\n<com ProgID='B'>\r\n</com>\r\n</Verup>\r\n");
    ASSERT_TRUE(doc.FindElement("Verup"));
    while (doc.FindChildElement("")) {
        const std::string tag = doc.GetChildTagName();
        ASSERT_TRUE(doc.EnterElement());
        if (tag == "COM" || tag == "com") {
            ASSERT_TRUE(doc.RemoveElement());
        }
        ASSERT_TRUE(doc.LeaveElement());
    }
    EXPECT_EQ(
        doc.GetText(), "<Verup NewVersion='2'>\r\n<EXE FileName='x'/>\r\n<AutoRun FileName='y'/>\r\n</Verup>\r\n");
    EXPECT_EQ(doc.GetAttribute("NewVersion"), "2");
}

TEST_F(MarkupTest, EditsAfterRemovalLandInTheRightPlace)
{
    CXmlDocument doc("<r a='1'><x/><y b='2'><z/></y></r>");
    ASSERT_TRUE(doc.FindChildElement("x"));
    ASSERT_TRUE(doc.EnterElement());
    ASSERT_TRUE(doc.RemoveElement());
    ASSERT_TRUE(doc.FindElement());
    ASSERT_TRUE(doc.SetAttribute("b", "22"));
    ASSERT_TRUE(doc.SetAttribute("c", "3"));
    ASSERT_TRUE(doc.FindChildElement());
    ASSERT_TRUE(doc.EnterElement());
    ASSERT_TRUE(doc.SetAttribute("d", "4"));
    ASSERT_TRUE(doc.LeaveElement());
    ASSERT_TRUE(doc.LeaveElement());
    ASSERT_TRUE(doc.SetAttribute("a", ""));
    EXPECT_EQ(doc.GetText(), "<r a=''><y b='22' c=\"3\"><z d=\"4\"/></y></r>");
}

TEST_F(MarkupTest, TreeAfterRemovingFirstChildReadsLikeItsText)
{
    CXmlDocument doc("<r a='1'>\r\n<x><x2 k='v'/></x>\r\n<y b='2'><z c='3'/></y>\r\n<w/></r>");
    ASSERT_TRUE(doc.FindChildElement());
    ASSERT_TRUE(doc.EnterElement());
    ASSERT_TRUE(doc.RemoveElement());
    // Standing before the first child, leaving puts the cursor on the root with no child.
    ASSERT_TRUE(doc.LeaveElement());
    EXPECT_EQ(DumpCurrent(doc, "root"), "root[a=1](y[b=2](z[c=3]),w[])");
    EXPECT_EQ(Dump(doc.GetText()), "root[a=1](y[b=2](z[c=3]),w[])");
}

} // namespace
