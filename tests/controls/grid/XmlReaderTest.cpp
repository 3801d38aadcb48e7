#include "controls/grid/XmlReader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace vexo;

TEST(XmlReaderTest, TokenisesTagsAndText) {
    XmlReader r;
    r.SetText("<!-- c --><a x=\"1\">text <b/>\r\n<c y=\"2\" /></a>");
    struct Tok {
        std::string token;
        int kind;
        bool element;
        std::string tag;
    };
    const std::vector<Tok> expected = {
        {"", 1, false, ""},     {"<!-- c -->", 3, false, "!--"},
        {"", 1, false, ""},     {"<a x=\"1\">", 5, true, "a"},
        {"text", 2, false, ""}, {"<b/>", 4, false, "b/"},
        {"", 1, false, ""},     {"<c y=\"2\" />", 4, true, "c"},
        {"", 1, false, ""},     {"</a>", 5, true, "/a"},
        {"", 1, false, ""},
    };
    std::vector<Tok> got;
    while (r.Next())
        got.push_back({r.Token(), r.TokenKind(), r.IsElement(), r.TagName()});
    ASSERT_EQ(got.size(), expected.size());
    for (std::size_t i = 0; i < got.size(); ++i) {
        EXPECT_EQ(got[i].token, expected[i].token) << i;
        EXPECT_EQ(got[i].kind, expected[i].kind) << i;
        EXPECT_EQ(got[i].element, expected[i].element) << i;
        EXPECT_EQ(got[i].tag, expected[i].tag) << i;
    }
    EXPECT_FALSE(r.Next());
    EXPECT_EQ(r.Index(), static_cast<int>(expected.size()) - 1);
}

TEST(XmlReaderTest, Attributes) {
    struct Case {
        std::string token;
        std::string name;
        std::string value;
    };
    const Case cases[] = {
        {"<T width=\"80\" />", "Width", "80"},
        {"<T Caption=\"A&lt;B&gt;C&quot;D\" />", "caption", "A<B>C\"D"},
        {"<T Caption=\"unterminated", "Caption", "unterminated"},
        {"<T Caption=\"x\" />", "Width", ""},
        {"<T LongWidth=\"1\" Width=\"2\" />", "Width",
         "1"}, // the first match wins, even inside a longer name
        {"<T Caption=\"Año ÑANDÚ\" />", "Caption", "Año ÑANDÚ"},
        {"<T Cäption=\"ü\" Caption=\"ok\" />", "Caption", "ok"},
        // A name inside another attribute's value is not that attribute.
        {"<T Caption=\"&lt;WIDTH=\" Width=\"50\" />", "Width", "50"},
        {"<T Caption=\"a Width=\" />", "Width", ""},
        // "&amp;" is decoded last: an escaped ampersand never starts another escape.
        {"<T Caption=\"&amp;lt;&amp;amp;\" />", "Caption", "&lt;&amp;"},
        {"<T Caption=\"A & B &x;\" />", "Caption", "A & B &x;"}, // as older writers left it
    };
    for (const Case& c : cases) {
        XmlReader r;
        r.SetText(c.token);
        while (r.Next() && r.TokenKind() == XmlReader::kEmpty) {
        }
        EXPECT_EQ(r.Attribute(c.name), c.value) << c.token;
    }
}

TEST(XmlReaderTest, EmptyAndTagLessInput) {
    XmlReader r;
    r.SetText("");
    EXPECT_FALSE(r.Next());
    EXPECT_EQ(r.TokenKind(), XmlReader::kEmpty);
    EXPECT_EQ(r.Attribute("x"), "");
    r.SetText("plain");
    ASSERT_TRUE(r.Next());
    EXPECT_EQ(r.TokenKind(), XmlReader::kText);
    EXPECT_EQ(r.TagName(), "");
}
