// Reading a loaded document: paths, child iteration, attribute conversions and text bodies.
#include "ScopedGermanLocale.h"

#include "xml/SDOMXMLIterator.h"
#include "xml/SDOMXMLWrapper.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

namespace {

// Names of the elements an iterator yields.
std::vector<std::string> Walk(SDOMXMLIterator* it) {
  std::vector<std::string> names;
  for (SDOMXMLWrapper* e = nullptr; it->Next(&e);)
    names.push_back(e->GetName());
  return names;
}

TEST(XMLPath, FindsTheFirstElementAlongChildTagNamesAndSharesHandles) {
  SDOMXMLWrapper root;
  ASSERT_NE(root.LoadFromString("<StatXML><Extension><Other/></Extension><Extension><NPAROutput>"
                                "<D id='d1'><F/></D><D id='d2'/></NPAROutput></Extension>"
                                "<PMMLModel/></StatXML>"),
            0);
  SDOMXMLWrapper* out = nullptr;
  ASSERT_TRUE(root.GetFirstElement("Extension/NPAROutput/D", &out)); // the second Extension's
  std::string id;
  EXPECT_TRUE(out->GetAttribute("id", id));
  EXPECT_EQ(id, "d1");
  for (const char* path : {"D", "Extension/NPAROutput/D/F/X", "", "/PMMLModel", "PMMLModel/",
                           "Extension//D", "pmmlmodel"}) {
    out = &root;
    EXPECT_FALSE(root.GetFirstElement(path, &out)) << path;
    EXPECT_EQ(out, &root) << path << ": untouched when nothing is found";
  }
  SDOMXMLWrapper* first = nullptr;
  SDOMXMLWrapper* again = nullptr;
  ASSERT_TRUE(root.GetFirstElement("Extension/NPAROutput", &first));
  ASSERT_TRUE(root.GetFirstElement("Extension/NPAROutput", &again));
  EXPECT_EQ(again, first);                          // the same handle, not a new one per call
  ASSERT_TRUE(first->GetFirstElement("D/F", &out)); // handles navigate like the root
  EXPECT_EQ(out->GetName(), "F");
  EXPECT_FALSE(first->GetFirstElement("Extension", &out));
  EXPECT_FALSE(root.GetFirstElement("PMMLModel", nullptr));
}

TEST(XMLIterator, WalksMatchingChildrenInOrderAndRewindsWhenAskedAgain) {
  SDOMXMLWrapper root;
  ASSERT_NE(root.LoadFromString("<r>text<a/><!-- c --><b/><a><a/></a><?pi?><c/><a/></r>"), 0);
  const struct {
    const char* name;
    std::vector<std::string> names;
  } cases[] = {{"a", {"a", "a", "a"}}, {"", {"a", "b", "a", "c", "a"}}, {"z", {}}};
  for (const auto& c : cases) {
    SDOMXMLIterator* it = nullptr;
    ASSERT_TRUE(root.GetElementIterator(c.name, &it, true)) << c.name;
    EXPECT_EQ(Walk(it), c.names) << c.name;
    SDOMXMLWrapper* out = &root;
    EXPECT_FALSE(it->Next(&out)) << c.name << ": stays finished";
    EXPECT_EQ(out, &root) << c.name;
  }
  SDOMXMLIterator* first = nullptr;
  SDOMXMLIterator* again = nullptr;
  ASSERT_TRUE(root.GetElementIterator("a", &first));
  SDOMXMLWrapper* e = nullptr;
  ASSERT_TRUE(first->Next(&e));
  ASSERT_TRUE(root.GetElementIterator("a", &again));
  EXPECT_EQ(again, first);
  EXPECT_EQ(Walk(first).size(), 3u);
  EXPECT_FALSE(root.GetElementIterator("a", nullptr));
}

// Loads <r v='text'/> and reads v as T; the preset value stays when the read fails.
template <typename T> std::pair<bool, T> ReadAttribute(const std::string& text, T preset) {
  SDOMXMLWrapper w;
  if (w.LoadFromString("<r v='" + text + "'/>") == 0)
    return {false, T{}};
  T value = preset;
  const bool ok = w.GetAttribute("v", value);
  return {ok, value};
}

TEST(XMLAttribute, NumbersAreWholeDecimalTextsInRange) {
  const std::pair<const char*, int> ints[] = {
      {" 2 ", 2}, {"&#9;7&#10;", 7}, {"+5", 5}, {"2147483647", INT_MAX}, {"-2147483648", INT_MIN}};
  for (const auto& c : ints)
    EXPECT_EQ(ReadAttribute(c.first, -99), std::make_pair(true, c.second)) << c.first;
  for (const char* text :
       {"2147483648", "-2147483649", "1.5", "1e3", "0x10", "12abc", "1 2", "+-1", "-", ""})
    EXPECT_EQ(ReadAttribute(text, -99), std::make_pair(false, -99)) << text;

  const std::pair<const char*, double> doubles[] = {{" 0.05 ", 0.05}, {"+1.5", 1.5},
                                                    {"1E3", 1000.0},  {"2.5e-3", 0.0025},
                                                    {".5", 0.5},      {"5.", 5.0}};
  for (const auto& c : doubles)
    EXPECT_EQ(ReadAttribute(c.first, -99.0), std::make_pair(true, c.second)) << c.first;
  for (const char* text : {"1,5", "abc", "1.5x", "inf", "nan", "1e400", "0x1p3", ""})
    EXPECT_EQ(ReadAttribute(text, -99.0), std::make_pair(false, -99.0)) << text;
}

TEST(XMLAttribute, NumbersIgnoreTheCLocale) {
  ScopedGermanLocale german;
  if (!german.Active())
    GTEST_SKIP() << "no German locale and no localedef to build one";
  EXPECT_EQ(ReadAttribute("1.5", 0.0), std::make_pair(true, 1.5));
  EXPECT_FALSE(ReadAttribute("1,5", 0.0).first);
}

TEST(XMLAttribute, TextsMissingAndEmpty) {
  SDOMXMLWrapper w;
  ASSERT_NE(w.LoadFromString("<r empty='' amp='a &amp; b &lt;c&gt; &#x41;' quote=\"it's\"/>"), 0);
  std::string value = "preset";
  int n = 3;
  double d = 4;
  EXPECT_FALSE(w.GetAttribute("missing", value) || w.GetAttribute("missing", n) ||
               w.GetAttribute("missing", d) || w.GetAttribute("empty", n));
  EXPECT_EQ(value + std::to_string(n) + std::to_string(d), "preset34.000000");
  EXPECT_TRUE(w.GetAttribute("empty", value));
  EXPECT_EQ(value, "");
  EXPECT_TRUE(w.GetAttribute("amp", value));
  EXPECT_EQ(value, "a & b <c> A");
  EXPECT_TRUE(w.GetAttribute("quote", value));
  EXPECT_EQ(value, "it's");
}

TEST(XMLText, BodyConcatenatesTextAndCDATA) {
  const struct {
    const char* doc;
    const char* body;
  } cases[] = {
      {"<t>a &amp; b &lt; &#233;</t>", "a & b < \xC3\xA9"},
      {"<t>x <![CDATA[<y> & ]]>z</t>", "x <y> & z"},
      {"<t>a<!-- c -->b<c>child text left out</c></t>", "ab"},
      {"<t>a<c>in<d>deeper</d>side</c>b<e/>c</t>", "abc"}, // own text around children
      {"<t>\n  0.1 __MISSING__\n</t>", "\n  0.1 __MISSING__\n"},
      {"<t/>", ""},
  };
  for (const auto& c : cases) {
    SDOMXMLWrapper w;
    ASSERT_NE(w.LoadFromString(c.doc), 0) << c.doc;
    std::string body = "preset";
    EXPECT_TRUE(w.GetTextBody(body)) << c.doc;
    EXPECT_EQ(body, c.body) << c.doc;
  }
}

TEST(XMLText, NonAsciiNamesAndValuesRoundTrip) {
  const std::string name = "Gr\xC3\xB6\xC3\x9F"
                           "e";
  const std::string text = "\xE6\x97\xA5\xE6\x9C\xAC \xF0\x9D\x84\x9E"; // outside the BMP too
  SDOMXMLWrapper w;
  ASSERT_NE(w.LoadFromString("<r><" + name + " \xC3\xA9t\xC3\xA9='caf\xC3\xA9'>" + text + "</" +
                             name + "></r>"),
            0)
      << w.GetLastError().ToString();
  SDOMXMLWrapper* e = nullptr;
  ASSERT_TRUE(w.GetFirstElement(name, &e));
  EXPECT_EQ(e->GetName(), name);
  std::string value;
  EXPECT_TRUE(e->GetAttribute("\xC3\xA9t\xC3\xA9", value));
  EXPECT_EQ(value, "caf\xC3\xA9");
  EXPECT_TRUE(e->GetTextBody(value));
  EXPECT_EQ(value, text);
  // A name that is not UTF-8 matches nothing rather than failing loudly.
  EXPECT_FALSE(e->GetAttribute("\xFF", value));
  EXPECT_FALSE(w.GetFirstElement("\xC3", &e));
}

} // namespace
