// The program's messages stay one line each and read as they are, whatever the data inside them.
#include "MessageSink.h"

#include "DataTable.h"
#include "ProgramRun.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>

namespace {

using app_test::ProgramResult;
using app_test::RunNptests;
using app_test::ScratchFolder;

TEST(MessageSink, DataIsEscapedAndNeverEndsALine) {
  for (const DataRow& row : ReadDataTable("tests/app/data/message_escapes.tsv", 2)) {
    std::ostringstream out;
    {
      MessageSink sink(out);
      sink << "nptests: " << Unescaped(row.fields[0]) << ": done\n";
    }
    EXPECT_EQ(out.str(), "nptests: " + Unescaped(row.fields[1]) + ": done\n") << row.where;
  }
}

TEST(MessageSink, LongLinesKeepTheirStartAndEnd) {
  std::ostringstream out;
  {
    MessageSink sink(out);
    sink << "nptests: --syntax: " << std::string(900000, 'x') << " (the variables are those of "
         << std::string("d.xml") << ")\n";
  }
  const std::string line = out.str();
  EXPECT_LT(line.size(), MessageSink::kMaxLine + 100);
  EXPECT_EQ(line.rfind("nptests: --syntax: xxx", 0), 0u);
  EXPECT_NE(line.find(" bytes left out ...] "), std::string::npos);
  const std::string end = " (the variables are those of d.xml)\n";
  EXPECT_EQ(line.compare(line.size() - end.size(), end.size(), end), 0) << line;
  // A multi-byte character is never cut in two.
  const std::string umlauts = [] {
    std::string text;
    for (int i = 0; i < 1000; ++i)
      text += "\xC3\xA4";
    return text;
  }();
  std::ostringstream cut;
  {
    MessageSink sink(cut);
    sink << umlauts << "\n";
  }
  EXPECT_EQ(MessageSink::Escaped(cut.str()).find("\\x"), std::string::npos) << cut.str();
}

// End to end: a document's model type with a direction override and a line feed gives one
// readable line.
TEST(MessageSink, ProgramMessagesFromHostileInputs) {
  ScratchFolder scratch;
  const std::string document = scratch.Write(
      "evil.xml", "<StatXML><PMMLModel modelType=\"\xE2\x80\xAEX&#xA;nptests: all documents were "
                  "read\"/></StatXML>");
  const ProgramResult result = RunNptests({document}, scratch);
  EXPECT_EQ(result.fStatus, 1);
  EXPECT_EQ(result.fErr.find("\xE2\x80\xAE"), std::string::npos) << result.fErr;
  EXPECT_EQ(std::count(result.fErr.begin(), result.fErr.end(), '\n'), 1) << result.fErr;
  EXPECT_NE(result.fErr.find("\\u202EX\\nnptests: all documents were read"), std::string::npos)
      << result.fErr;
}

} // namespace
