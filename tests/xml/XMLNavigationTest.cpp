// Reading a loaded document: paths, child iteration, attribute conversions and text bodies.
#include "xml/SDOMXMLIterator.h"
#include "xml/SDOMXMLWrapper.h"

#include <gtest/gtest.h>

#include <climits>
#include <clocale>
#include <string>
#include <vector>

namespace {

const char* const kStatDoc = R"(<StatXML>
  <Extension><Other/></Extension>
  <Extension>
    <NPAROutput>
      <DataDictionary id="d1"><DataField index="0"/></DataDictionary>
      <DataDictionary id="d2"/>
    </NPAROutput>
  </Extension>
  <PMMLModel modelType="NonParametricTests"/>
</StatXML>)";

// Names of the elements an iterator yields.
std::vector<std::string> Walk(SDOMXMLIterator* it) {
  std::vector<std::string> names;
  SDOMXMLWrapper* e = nullptr;
  while (it->Next(&e))
    names.push_back(e->GetName());
  return names;
}

TEST(XMLPath, FindsTheFirstElementAlongChildTagNames) {
  const struct {
    const char* desc;
    const char* path;
    const char* id; // null: not found
  } cases[] = {
      {"one step", "PMMLModel", ""},
      {"second branch when the first lacks the rest", "Extension/NPAROutput/DataDictionary", "d1"},
      {"grandchild is not a child", "DataDictionary", nullptr},
      {"unknown name", "Counts", nullptr},
      {"path longer than the tree", "Extension/NPAROutput/DataDictionary/DataField/X", nullptr},
      {"empty path", "", nullptr},
      {"leading slash", "/PMMLModel", nullptr},
      {"trailing slash", "PMMLModel/", nullptr},
      {"empty step", "Extension//DataDictionary", nullptr},
      {"names are case-sensitive", "pmmlmodel", nullptr},
  };
  SDOMXMLWrapper root;
  ASSERT_NE(root.LoadFromString(kStatDoc), 0);
  for (const auto& c : cases) {
    SDOMXMLWrapper* out = &root; // must stay untouched when nothing is found
    const bool found = root.GetFirstElement(c.path, &out, true);
    EXPECT_EQ(found, c.id != nullptr) << c.desc;
    if (!found) {
      EXPECT_EQ(out, &root) << c.desc;
      continue;
    }
    std::string id;
    root.GetAttribute("id", id);
    out->GetAttribute("id", id);
    EXPECT_EQ(id, c.id) << c.desc;
  }
}

TEST(XMLPath, HandlesAreSharedAndWorkLikeTheRoot) {
  SDOMXMLWrapper root;
  ASSERT_NE(root.LoadFromString(kStatDoc), 0);
  SDOMXMLWrapper* first = nullptr;
  ASSERT_TRUE(root.GetFirstElement("Extension/NPAROutput", &first));
  // Asking again, however often, hands out the same handle rather than new ones.
  for (int i = 0; i < 1000; ++i) {
    SDOMXMLWrapper* again = nullptr;
    ASSERT_TRUE(root.GetFirstElement("Extension/NPAROutput", &again));
    ASSERT_EQ(again, first);
  }
  SDOMXMLWrapper* dict = nullptr;
  ASSERT_TRUE(first->GetFirstElement("DataDictionary/DataField", &dict));
  EXPECT_EQ(dict->GetName(), "DataField");
  SDOMXMLWrapper* out = nullptr;
  EXPECT_FALSE(first->GetFirstElement("Extension", &out));
  EXPECT_FALSE(root.GetFirstElement("PMMLModel", nullptr));
}

TEST(XMLIterator, WalksMatchingChildrenInDocumentOrder) {
  SDOMXMLWrapper root;
  ASSERT_NE(root.LoadFromString("<r>text<a i='1'/><!-- c --><b/><a i='2'><a i='x'/></a>"
                                "<?pi?><c/><a i='3'/></r>"),
            0);
  const struct {
    const char* desc;
    const char* name;
    std::vector<std::string> names;
  } cases[] = {
      {"by name, children only", "a", {"a", "a", "a"}},
      {"empty name: every child element", "", {"a", "b", "a", "c", "a"}},
      {"name that matches nothing", "z", {}},
  };
  for (const auto& c : cases) {
    SDOMXMLIterator* it = nullptr;
    ASSERT_TRUE(root.GetElementIterator(c.name, &it, true)) << c.desc;
    EXPECT_EQ(Walk(it), c.names) << c.desc;
    SDOMXMLWrapper* out = &root;
    EXPECT_FALSE(it->Next(&out)) << c.desc << ": stays finished";
    EXPECT_EQ(out, &root) << c.desc;
  }
  SDOMXMLIterator* it = nullptr;
  ASSERT_TRUE(root.GetElementIterator("a", &it));
  std::vector<int> order;
  for (SDOMXMLWrapper* e = nullptr; it->Next(&e);) {
    int i = 0;
    ASSERT_TRUE(e->GetAttribute("i", i));
    order.push_back(i);
  }
  EXPECT_EQ(order, (std::vector<int>{1, 2, 3}));
}

TEST(XMLIterator, AskingAgainRewindsTheSameIterator) {
  SDOMXMLWrapper root;
  ASSERT_NE(root.LoadFromString("<r><a/><a/><b/></r>"), 0);
  SDOMXMLIterator* first = nullptr;
  ASSERT_TRUE(root.GetElementIterator("a", &first));
  SDOMXMLWrapper* e = nullptr;
  ASSERT_TRUE(first->Next(&e));
  for (int i = 0; i < 1000; ++i) {
    SDOMXMLIterator* again = nullptr;
    ASSERT_TRUE(root.GetElementIterator("a", &again));
    ASSERT_EQ(again, first);
  }
  EXPECT_EQ(Walk(first).size(), 2u);
  SDOMXMLIterator* other = nullptr;
  ASSERT_TRUE(root.GetElementIterator("b", &other));
  EXPECT_NE(other, first);
  EXPECT_FALSE(root.GetElementIterator("a", nullptr));
}

TEST(XMLIterator, NestedWalksOverDifferentElements) {
  SDOMXMLWrapper root;
  ASSERT_NE(
      root.LoadFromString("<d><f n='x'><v>1</v><v>2</v></f><f n='y'/><f n='z'><v>3</v></f></d>"),
      0);
  SDOMXMLIterator* fields = nullptr;
  ASSERT_TRUE(root.GetElementIterator("f", &fields));
  std::string seen;
  for (SDOMXMLWrapper* f = nullptr; fields->Next(&f);) {
    std::string n;
    f->GetAttribute("n", n);
    seen += n + ":";
    SDOMXMLIterator* values = nullptr;
    ASSERT_TRUE(f->GetElementIterator("v", &values));
    for (SDOMXMLWrapper* v = nullptr; values->Next(&v);) {
      std::string t;
      ASSERT_TRUE(v->GetTextBody(t));
      seen += t;
    }
    seen += ";";
  }
  EXPECT_EQ(seen, "x:12;y:;z:3;");
}

TEST(XMLAttribute, IntegerConversion) {
  const struct {
    const char* desc;
    const char* text;
    bool ok;
    int value;
  } cases[] = {
      {"plain", "42", true, 42},
      {"blanks around", " 2 ", true, 2},
      {"tab and line end by reference", "&#9;7&#10;", true, 7},
      {"negative", "-7", true, -7},
      {"explicit plus", "+5", true, 5},
      {"largest", "2147483647", true, INT_MAX},
      {"smallest", "-2147483648", true, INT_MIN},
      {"one over", "2147483648", false, 0},
      {"one under", "-2147483649", false, 0},
      {"decimal", "1.5", false, 0},
      {"exponent", "1e3", false, 0},
      {"hexadecimal", "0x10", false, 0},
      {"word", "abc", false, 0},
      {"trailing garbage", "12abc", false, 0},
      {"blank inside", "1 2", false, 0},
      {"two signs", "+-1", false, 0},
      {"sign alone", "-", false, 0},
      {"empty", "", false, 0},
  };
  for (const auto& c : cases) {
    SDOMXMLWrapper w;
    ASSERT_NE(w.LoadFromString(std::string("<r v='") + c.text + "'/>"), 0) << c.desc;
    int value = -99;
    EXPECT_EQ(w.GetAttribute("v", value), c.ok) << c.desc;
    EXPECT_EQ(value, c.ok ? c.value : -99) << c.desc;
  }
}

TEST(XMLAttribute, DoubleConversion) {
  const struct {
    const char* desc;
    const char* text;
    bool ok;
    double value;
  } cases[] = {
      {"decimal", "1.5", true, 1.5},
      {"integer text", "2", true, 2.0},
      {"blanks around", " 0.05 ", true, 0.05},
      {"negative", "-0.25", true, -0.25},
      {"explicit plus", "+1.5", true, 1.5},
      {"exponent", "1E3", true, 1000.0},
      {"small exponent", "2.5e-3", true, 0.0025},
      {"no leading digit", ".5", true, 0.5},
      {"no trailing digit", "5.", true, 5.0},
      {"decimal comma", "1,5", false, 0},
      {"word", "abc", false, 0},
      {"trailing garbage", "1.5x", false, 0},
      {"infinity", "inf", false, 0},
      {"not a number", "nan", false, 0},
      {"overflow", "1e400", false, 0},
      {"hexadecimal", "0x1p3", false, 0},
      {"empty", "", false, 0},
  };
  for (const auto& c : cases) {
    SDOMXMLWrapper w;
    ASSERT_NE(w.LoadFromString(std::string("<r v='") + c.text + "'/>"), 0) << c.desc;
    double value = -99.0;
    EXPECT_EQ(w.GetAttribute("v", value), c.ok) << c.desc;
    EXPECT_DOUBLE_EQ(value, c.ok ? c.value : -99.0) << c.desc;
  }
}

TEST(XMLAttribute, NumbersIgnoreTheCLocale) {
  const std::string saved = std::setlocale(LC_NUMERIC, nullptr);
  const char* comma = nullptr;
  for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "de_DE"}) {
    if ((comma = std::setlocale(LC_NUMERIC, name)) != nullptr)
      break;
  }
  if (comma == nullptr)
    GTEST_SKIP() << "no locale with a decimal comma is installed";
  SDOMXMLWrapper w;
  ASSERT_NE(w.LoadFromString("<r a='1.5' b='1,5'/>"), 0);
  double a = 0, b = 0;
  EXPECT_TRUE(w.GetAttribute("a", a));
  EXPECT_EQ(a, 1.5);
  EXPECT_FALSE(w.GetAttribute("b", b));
  std::setlocale(LC_NUMERIC, saved.c_str());
}

TEST(XMLAttribute, TextsMissingAndEmpty) {
  SDOMXMLWrapper w;
  ASSERT_NE(w.LoadFromString("<r empty='' amp='a &amp; b &lt;c&gt; &#x41;' "
                             "quote=\"it's\"/>"),
            0);
  std::string value = "preset";
  EXPECT_FALSE(w.GetAttribute("missing", value));
  EXPECT_EQ(value, "preset");
  int n = 3;
  double d = 4;
  EXPECT_FALSE(w.GetAttribute("missing", n));
  EXPECT_FALSE(w.GetAttribute("missing", d));
  EXPECT_EQ(n, 3);
  EXPECT_EQ(d, 4);
  EXPECT_TRUE(w.GetAttribute("empty", value));
  EXPECT_EQ(value, "");
  EXPECT_FALSE(w.GetAttribute("empty", n));
  EXPECT_TRUE(w.GetAttribute("amp", value));
  EXPECT_EQ(value, "a & b <c> A");
  EXPECT_TRUE(w.GetAttribute("quote", value));
  EXPECT_EQ(value, "it's");
}

TEST(XMLText, BodyConcatenatesTextAndCDATA) {
  const struct {
    const char* desc;
    const char* doc;
    const char* body;
  } cases[] = {
      {"plain", "<t>1 2 3</t>", "1 2 3"},
      {"entities and references", "<t>a &amp; b &lt; &#233;</t>", "a & b < \xC3\xA9"},
      {"CDATA between text", "<t>x <![CDATA[<y> & ]]>z</t>", "x <y> & z"},
      {"comment dropped", "<t>a<!-- c -->b</t>", "ab"},
      {"child text left out", "<t>a<c>inner</c>b</t>", "ab"},
      {"blanks kept", "<t>\n  0.1 __MISSING__\n</t>", "\n  0.1 __MISSING__\n"},
      {"empty element", "<t/>", ""},
  };
  for (const auto& c : cases) {
    SDOMXMLWrapper w;
    ASSERT_NE(w.LoadFromString(c.doc), 0) << c.desc;
    std::string body = "preset";
    EXPECT_TRUE(w.GetTextBody(body)) << c.desc;
    EXPECT_EQ(body, c.body) << c.desc;
  }
}

TEST(XMLText, NonAsciiNamesAndValuesRoundTrip) {
  // "Größe" element, "été" attribute with "café ☕", text with a character outside the BMP.
  const std::string doc = "<r><Gr\xC3\xB6\xC3\x9F"
                          "e \xC3\xA9t\xC3\xA9='caf\xC3\xA9 \xE2\x98\x95'>"
                          "\xE6\x97\xA5\xE6\x9C\xAC \xF0\x9D\x84\x9E</Gr\xC3\xB6\xC3\x9F"
                          "e></r>";
  SDOMXMLWrapper w;
  ASSERT_NE(w.LoadFromString(doc), 0) << w.GetLastError().ToString();
  SDOMXMLWrapper* e = nullptr;
  ASSERT_TRUE(w.GetFirstElement("Gr\xC3\xB6\xC3\x9F"
                                "e",
                                &e));
  EXPECT_EQ(e->GetName(), "Gr\xC3\xB6\xC3\x9F"
                          "e");
  std::string value;
  EXPECT_TRUE(e->GetAttribute("\xC3\xA9t\xC3\xA9", value));
  EXPECT_EQ(value, "caf\xC3\xA9 \xE2\x98\x95");
  EXPECT_TRUE(e->GetTextBody(value));
  EXPECT_EQ(value, "\xE6\x97\xA5\xE6\x9C\xAC \xF0\x9D\x84\x9E");
  SDOMXMLIterator* it = nullptr;
  ASSERT_TRUE(w.GetElementIterator("Gr\xC3\xB6\xC3\x9F"
                                   "e",
                                   &it));
  EXPECT_EQ(Walk(it).size(), 1u);
  // A name that is not UTF-8 matches nothing rather than failing loudly.
  EXPECT_FALSE(e->GetAttribute("\xFF", value));
  EXPECT_FALSE(w.GetFirstElement("\xC3", &e));
}

} // namespace
