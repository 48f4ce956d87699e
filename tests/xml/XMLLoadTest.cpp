// Loading documents: what loads, what is refused with which error, and what is never touched.
#include "xml/SDOMXMLIterator.h"
#include "xml/SDOMXMLWrapper.h"

#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>

#include <fcntl.h>
#include <string>
#include <unistd.h>

namespace {

// Built before any document is loaded, and so destroyed after the parser library's own static:
// its tree must still be released safely at exit.
SDOMXMLWrapper gLoadedUntilExit;

std::string Nested(int depth, bool innermostEmpty) {
  std::string text;
  const int open = innermostEmpty ? depth - 1 : depth;
  for (int i = 0; i < open; ++i)
    text += "<a>";
  if (innermostEmpty)
    text += "<a/>";
  for (int i = 0; i < open; ++i)
    text += "</a>";
  return text;
}

struct BadDocument {
  const char* desc;
  std::string text;
  unsigned long line; // 0: no position expected
  unsigned long column;
  const char* messagePart;
};

TEST(XMLLoad, BadDocumentsAreRefusedWithPositionAndReason) {
  const BadDocument cases[] = {
      {"not XML at all", "not xml", 1, 1, "invalid document structure"},
      {"unclosed tag", "<r>\n<a>\n  <Counts x='1'>\n</r>", 4, 3, "expected end of tag 'Counts'"},
      {"truncated", "<StatXML><Counts", 1, 17, ""},
      {"empty text", "", 0, 0, "the document is empty"},
      {"blanks only", " \n\t ", 0, 0, "the document is empty"},
      {"two roots", "<a/><b/>", 1, 0, ""},
      {"duplicate attribute", "<r a='1' a='2'/>", 1, 0, "already specified"},
      {"undeclared entity", "<r>&e;</r>", 1, 7, "entity 'e' not found"},
      {"internal DTD", "<!DOCTYPE r [<!ELEMENT r ANY>]><r/>", 1, 10, "DOCTYPE is not allowed"},
      {"DOCTYPE after declaration and comment",
       "<?xml version='1.0'?>\n<!-- c -->\n<!DOCTYPE r SYSTEM 'r.dtd'>\n<r/>", 3, 10,
       "DOCTYPE is not allowed"},
      {"entity bomb",
       "<!DOCTYPE lolz [<!ENTITY lol 'lol'><!ENTITY lol2 '&lol;&lol;&lol;&lol;&lol;&lol;'>"
       "<!ENTITY lol3 '&lol2;&lol2;&lol2;&lol2;&lol2;&lol2;'>]><lolz>&lol3;</lolz>",
       1, 10, "DOCTYPE is not allowed"},
      {"external file entity", "<!DOCTYPE r [<!ENTITY e SYSTEM 'file:///etc/passwd'>]><r>&e;</r>",
       1, 10, "DOCTYPE is not allowed"},
      {"stray byte in text", "<r>\n\n  x\xE9y</r>", 3, 4, "not valid UTF-8 (byte 0xE9)"},
      {"truncated sequence at the end", "<r>ab\xC3", 1, 6, "not valid UTF-8 (byte 0xC3)"},
      {"overlong slash", "<r>\xC0\xAF</r>", 1, 4, "not valid UTF-8 (byte 0xC0)"},
      {"encoded surrogate", "<r>\xED\xA0\x80</r>", 1, 4, "not valid UTF-8 (byte 0xED)"},
      {"declared UTF-8 is checked too", "<?xml version='1.0' encoding='utf-8'?><r>\xFF</r>", 1, 42,
       "not valid UTF-8"},
      {"nesting one level too deep", Nested(257, false), 1, 0, "nested deeper than 256 levels"},
      {"nesting too deep at an empty element", Nested(257, true), 1, 0,
       "nested deeper than 256 levels"},
      {"far too deep", Nested(100000, false), 1, 0, "nested deeper than 256 levels"},
  };
  for (const BadDocument& c : cases) {
    SDOMXMLWrapper w;
    EXPECT_EQ(w.LoadFromString(c.text), 0) << c.desc;
    const SDOMXMLError& e = w.GetLastError();
    EXPECT_NE(e.message.find(c.messagePart), std::string::npos) << c.desc << ": " << e.message;
    EXPECT_FALSE(e.message.empty()) << c.desc;
    EXPECT_EQ(e.line, c.line) << c.desc;
    if (c.column != 0) {
      EXPECT_EQ(e.column, c.column) << c.desc;
    }
    EXPECT_EQ(w.GetName(), "") << c.desc;
  }
}

TEST(XMLLoad, ErrorReadsAsOneLine) {
  SDOMXMLWrapper w;
  ASSERT_EQ(w.LoadFromString("<r>\n<a>\n  <Counts x='1'>\n</r>"), 0);
  EXPECT_EQ(w.GetLastError().ToString(), "line 4, column 3: expected end of tag 'Counts'");
  EXPECT_EQ(SDOMXMLError().ToString(), "");
  EXPECT_EQ((SDOMXMLError{0, 0, "too big"}).ToString(), "too big");
}

TEST(XMLLoad, NestingUpToTheCapLoads) {
  for (bool innermostEmpty : {false, true}) {
    SDOMXMLWrapper w;
    EXPECT_NE(w.LoadFromString(Nested(256, innermostEmpty)), 0) << w.GetLastError().ToString();
    EXPECT_TRUE(w.GetLastError().IsEmpty());
  }
  // Empty elements close at once, so many siblings do not add up to depth.
  std::string wide = "<r>";
  for (int i = 0; i < 1000; ++i)
    wide += "<a/>";
  SDOMXMLWrapper w;
  EXPECT_NE(w.LoadFromString(wide + "</r>"), 0) << w.GetLastError().ToString();
}

TEST(XMLLoad, DocumentOverTheSizeLimitIsRefusedBeforeParsing) {
  std::string text(SDOMXMLWrapper::kMaxDocumentBytes + 1, ' ');
  text.replace(0, 4, "<r/>");
  SDOMXMLWrapper w;
  EXPECT_EQ(w.LoadFromString(text), 0);
  EXPECT_EQ(w.GetLastError().line, 0u);
  EXPECT_NE(w.GetLastError().message.find("more than the limit of 268435456 bytes"),
            std::string::npos)
      << w.GetLastError().message;
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

// A loopback listener that records whether anything tried to connect.
class Listener {
public:
  Listener() {
    fSocket = socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t len = sizeof addr;
    if (fSocket >= 0 && bind(fSocket, reinterpret_cast<sockaddr*>(&addr), len) == 0 &&
        listen(fSocket, 8) == 0 &&
        getsockname(fSocket, reinterpret_cast<sockaddr*>(&addr), &len) == 0)
      fPort = ntohs(addr.sin_port);
  }
  ~Listener() {
    if (fSocket >= 0)
      close(fSocket);
  }
  int Port() const { return fPort; }
  bool WasContacted() const {
    const int peer = accept(fSocket, nullptr, nullptr);
    if (peer < 0)
      return false;
    close(peer);
    return true;
  }

private:
  int fSocket = -1;
  int fPort = 0;
};

TEST(XMLLoad, NothingIsFetchedFromTheNetwork) {
  Listener listener;
  ASSERT_NE(listener.Port(), 0);
  const std::string url = "http://127.0.0.1:" + std::to_string(listener.Port()) + "/x";
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
    EXPECT_FALSE(listener.WasContacted()) << c.desc;
  }
  // The listener itself works: a real connection is seen.
  const int client = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in addr{};
  addr.sin_family = AF_INET;
  addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  addr.sin_port = htons(static_cast<uint16_t>(listener.Port()));
  ASSERT_EQ(connect(client, reinterpret_cast<sockaddr*>(&addr), sizeof addr), 0);
  EXPECT_TRUE(listener.WasContacted());
  close(client);
}

TEST(XMLLoad, ReloadReplacesTheDocumentAndFailureLeavesNothing) {
  SDOMXMLWrapper w;
  ASSERT_NE(w.LoadFromString("<first><a/></first>"), 0);
  SDOMXMLWrapper* a = nullptr;
  ASSERT_TRUE(w.GetFirstElement("a", &a));
  ASSERT_NE(w.LoadFromString("<second><b/></second>"), 0);
  EXPECT_EQ(w.GetName(), "second");
  SDOMXMLWrapper* found = nullptr;
  EXPECT_FALSE(w.GetFirstElement("a", &found));
  EXPECT_TRUE(w.GetFirstElement("b", &found));

  EXPECT_EQ(w.LoadFromString("<broken>"), 0);
  EXPECT_EQ(w.GetName(), "");
  SDOMXMLIterator* it = nullptr;
  EXPECT_FALSE(w.GetElementIterator("", &it, true));
  EXPECT_EQ(it, nullptr);
  std::string text = "kept";
  EXPECT_FALSE(w.GetTextBody(text));
  EXPECT_EQ(text, "kept");

  ASSERT_NE(w.LoadFromString("<third/>"), 0);
  EXPECT_TRUE(w.GetLastError().IsEmpty());
  EXPECT_EQ(w.GetName(), "third");
}

TEST(XMLLoad, AWrapperMayOutliveEveryOtherUserOfTheParser) {
  ASSERT_NE(gLoadedUntilExit.LoadFromString("<kept><a/></kept>"), 0);
  SDOMXMLWrapper* a = nullptr;
  EXPECT_TRUE(gLoadedUntilExit.GetFirstElement("a", &a));
}

TEST(XMLLoad, AHandleCannotLoad) {
  SDOMXMLWrapper w;
  ASSERT_NE(w.LoadFromString("<r><a/></r>"), 0);
  SDOMXMLWrapper* a = nullptr;
  ASSERT_TRUE(w.GetFirstElement("a", &a));
  EXPECT_EQ(a->LoadFromString("<other/>"), 0);
  EXPECT_FALSE(a->GetLastError().IsEmpty());
  EXPECT_EQ(a->GetName(), "a");
  EXPECT_EQ(w.GetName(), "r");
}

TEST(XMLLoad, AFreshWrapperStandsForNothing) {
  SDOMXMLWrapper w;
  SDOMXMLWrapper* out = nullptr;
  int n = 5;
  EXPECT_EQ(w.GetName(), "");
  EXPECT_FALSE(w.GetFirstElement("a", &out, true));
  EXPECT_FALSE(w.GetAttribute("a", n));
  EXPECT_EQ(n, 5);
  EXPECT_TRUE(w.GetLastError().IsEmpty());
}

} // namespace
