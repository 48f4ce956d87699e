// Loading documents: what loads, what is refused with which error, and what is never touched.
#include "xml/SDOMXMLIterator.h"
#include "xml/SDOMXMLWrapper.h"

#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>

#include <string>
#include <unistd.h>

namespace {

// Its tree must still be released safely at exit (see the last test).
SDOMXMLWrapper gLoadedUntilExit;

// depth elements <a> inside one another, with leaf innermost.
std::string Nested(int depth, const char* leaf = "") {
  std::string open, close;
  for (int i = 0; i < depth; ++i) {
    open += "<a>";
    close += "</a>";
  }
  return open + leaf + close;
}

TEST(XMLLoad, BadDocumentsAreRefusedWithPositionAndReason) {
  const struct {
    const char* desc;
    std::string text;
    unsigned long line; // 0: no position expected
    unsigned long column;
    const char* messagePart;
  } cases[] = {
      {"not XML at all", "not xml", 1, 1, "invalid document structure"},
      {"unclosed tag", "<r>\n<a>\n  <Counts x='1'>\n</r>", 4, 3, "expected end of tag 'Counts'"},
      {"empty text", "", 0, 0, "the document is empty"},
      {"undeclared entity", "<r>&e;</r>", 1, 7, "entity 'e' not found"},
      {"DOCTYPE after declaration and comment",
       "<?xml version='1.0'?>\n<!-- c -->\n<!DOCTYPE r SYSTEM 'r.dtd'>\n<r/>", 3, 10,
       "DOCTYPE is not allowed"},
      {"entity bomb",
       "<!DOCTYPE lolz [<!ENTITY lol 'lol'><!ENTITY lol2 '&lol;&lol;&lol;&lol;&lol;&lol;'>"
       "<!ENTITY lol3 '&lol2;&lol2;&lol2;&lol2;&lol2;&lol2;'>]><lolz>&lol3;</lolz>",
       1, 10, "DOCTYPE is not allowed"},
      {"stray byte in text", "<r>\n\n  x\xE9y</r>", 3, 4, "not valid UTF-8 (byte 0xE9)"},
      {"truncated sequence at the end", "<r>ab\xC3", 1, 6, "not valid UTF-8 (byte 0xC3)"},
      {"declared UTF-8 is checked too", "<?xml version='1.0' encoding='utf-8'?><r>\xFF</r>", 1, 42,
       "not valid UTF-8"},
      {"nesting one level too deep", Nested(257), 1, 0, "nested deeper than 256 levels"},
      {"too deep at an empty element", Nested(256, "<a/>"), 1, 0, "nested deeper than 256 levels"},
      {"far too deep", Nested(100000), 1, 0, "nested deeper than 256 levels"},
  };
  for (const auto& c : cases) {
    SDOMXMLWrapper w;
    EXPECT_EQ(w.LoadFromString(c.text), 0) << c.desc;
    const SDOMXMLError& e = w.GetLastError();
    EXPECT_NE(e.message.find(c.messagePart), std::string::npos) << c.desc << ": " << e.message;
    EXPECT_EQ(e.line, c.line) << c.desc;
    EXPECT_TRUE(c.column == 0 || e.column == c.column) << c.desc << ": column " << e.column;
    EXPECT_EQ(w.GetName(), "") << c.desc;
  }
  SDOMXMLWrapper w;
  ASSERT_EQ(w.LoadFromString("<r>\n<a>\n  <Counts x='1'>\n</r>"), 0);
  EXPECT_EQ(w.GetLastError().ToString(), "line 4, column 3: expected end of tag 'Counts'");
  EXPECT_EQ((SDOMXMLError{0, 0, "too big"}).ToString(), "too big");
}

TEST(XMLLoad, NestingUpToTheCapLoads) {
  std::string wide; // empty elements close at once, so many siblings do not add up to depth
  for (int i = 0; i < 1000; ++i)
    wide += "<a/>";
  for (const std::string& text : {Nested(256), Nested(255, "<a/>"), Nested(1, wide.c_str())}) {
    SDOMXMLWrapper w;
    EXPECT_NE(w.LoadFromString(text), 0) << w.GetLastError().ToString();
  }
}

TEST(XMLLoad, DocumentOverTheSizeLimitIsRefusedBeforeParsing) {
  std::string text(SDOMXMLWrapper::kMaxDocumentBytes + 1, ' ');
  text.replace(0, 4, "<r/>");
  SDOMXMLWrapper w;
  EXPECT_EQ(w.LoadFromString(text), 0);
  EXPECT_EQ(w.GetLastError().ToString(),
            "the document has 268435457 bytes, more than the limit of 268435456 bytes");
}

TEST(XMLLoad, DeclaredEncodingsAndMarkupAroundTheRoot) {
  SDOMXMLWrapper w;
  ASSERT_NE(w.LoadFromString("<?xml version='1.0' encoding='ISO-8859-1'?><r a='\xE9'/>"), 0);
  std::string a;
  ASSERT_TRUE(w.GetAttribute("a", a));
  EXPECT_EQ(a, "\xC3\xA9");
  static const char kUtf16le[] = "\xFF\xFE<\0r\0 \0a\0=\0'\0\xE9\0'\0/\0>\0";
  const std::string utf16le(kUtf16le, sizeof kUtf16le - 1);
  ASSERT_NE(w.LoadFromString(utf16le), 0) << w.GetLastError().ToString();
  ASSERT_TRUE(w.GetAttribute("a", a));
  EXPECT_EQ(a, "\xC3\xA9");
  ASSERT_NE(w.LoadFromString("\xEF\xBB\xBF<!-- c --><?pi x?><r/><!-- after -->"), 0)
      << w.GetLastError().ToString();
  EXPECT_EQ(w.GetName(), "r");
}

TEST(XMLLoad, NothingIsFetchedFromTheNetwork) {
  // A loopback listener: anything the parser fetched would show up as a connection.
  const int server = socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK, 0);
  sockaddr_in addr{};
  addr.sin_family = AF_INET;
  addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t len = sizeof addr;
  auto* sa = reinterpret_cast<sockaddr*>(&addr);
  ASSERT_TRUE(server >= 0 && bind(server, sa, len) == 0 && listen(server, 8) == 0 &&
              getsockname(server, sa, &len) == 0);
  auto contacted = [server] {
    const int peer = accept(server, nullptr, nullptr);
    if (peer >= 0)
      close(peer);
    return peer >= 0;
  };
  const std::string url = "http://127.0.0.1:" + std::to_string(ntohs(addr.sin_port)) + "/x";
  const struct {
    const char* desc;
    std::string text;
    bool loads;
  } cases[] = {
      {"external DTD", "<!DOCTYPE r SYSTEM '" + url + "'><r/>", false},
      {"external parameter entity", "<!DOCTYPE r [<!ENTITY % p SYSTEM '" + url + "'> %p;]><r/>",
       false},
      {"XInclude",
       "<r xmlns:xi='http://www.w3.org/2001/XInclude'><xi:include href='" + url + "'/></r>", true},
      {"schema location",
       "<r xmlns:xsi='http://www.w3.org/2001/XMLSchema-instance' xsi:noNamespaceSchemaLocation='" +
           url + "'/>",
       true},
  };
  for (const auto& c : cases) {
    SDOMXMLWrapper w;
    EXPECT_EQ(w.LoadFromString(c.text) != 0, c.loads) << c.desc << ": " << w.GetLastError().message;
    EXPECT_FALSE(contacted()) << c.desc;
  }
  const int client = socket(AF_INET, SOCK_STREAM, 0); // the listener itself sees a real connection
  EXPECT_EQ(connect(client, sa, len), 0);
  EXPECT_TRUE(contacted());
  close(client);
  close(server);
}

TEST(XMLLoad, ReloadReplacesTheDocumentAndFailureLeavesNothing) {
  SDOMXMLWrapper w;
  SDOMXMLWrapper* found = nullptr;
  EXPECT_FALSE(w.GetFirstElement("a", &found)); // a fresh wrapper stands for nothing
  ASSERT_NE(w.LoadFromString("<first><a/></first>"), 0);
  ASSERT_TRUE(w.GetFirstElement("a", &found));
  EXPECT_EQ(found->LoadFromString("<other/>"), 0); // a handle cannot load
  EXPECT_EQ(found->GetName(), "a");
  ASSERT_NE(w.LoadFromString("<second><b/></second>"), 0);
  EXPECT_FALSE(w.GetFirstElement("a", &found));
  EXPECT_TRUE(w.GetFirstElement("b", &found));

  EXPECT_EQ(w.LoadFromString("<broken>"), 0);
  SDOMXMLIterator* it = nullptr;
  EXPECT_FALSE(w.GetElementIterator("", &it, true));
  EXPECT_EQ(it, nullptr);
  std::string text = "kept";
  int n = 5;
  EXPECT_FALSE(w.GetTextBody(text) || w.GetAttribute("a", n));
  EXPECT_EQ(text + std::to_string(n), "kept5");

  ASSERT_NE(w.LoadFromString("<third/>"), 0);
  EXPECT_TRUE(w.GetLastError().IsEmpty());
  EXPECT_EQ(w.GetName(), "third");
  // Built before any document was loaded, so destroyed after the parser library's own static.
  ASSERT_NE(gLoadedUntilExit.LoadFromString("<kept><a/></kept>"), 0);
}

} // namespace
