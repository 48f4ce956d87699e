// The procedure object: the rules of the list form of ProcessOutputXML.
#include "NOPRProcCustom.h"

#include "proc/CFAssert.h"
#include "proc/CFStatXMLInfoBlock.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

// Answers the one-document operation from a script, so the list form's loop can be watched.
class ScriptedProc : public NOPRProcCustom {
public:
  explicit ScriptedProc(std::vector<bool> answers) : fAnswers(std::move(answers)) {}

  using NOPRProcCustom::ProcessOutputXML;
  bool ProcessOutputXML(const std::string& pmml, const CFStatXMLInfoBlock& block) override {
    EXPECT_TRUE(pmml.empty());
    fSeen.push_back(block.fResultXML);
    return fAnswers.at(fSeen.size() - 1);
  }

  std::vector<bool> fAnswers;
  std::vector<std::string> fSeen;
};

std::vector<CFStatXMLInfoBlock> Blocks(int count) {
  std::vector<CFStatXMLInfoBlock> blocks(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i)
    blocks[static_cast<std::size_t>(i)].fResultXML = "doc" + std::to_string(i);
  return blocks;
}

TEST(ProcessOutputXMLList, SplitGroupsAreAllProcessed) {
  struct Row {
    const char* fDesc;
    bool fSplit;
    std::vector<bool> fAnswers;
    std::size_t fProcessed;
    bool fResult;
  } rows[] = {
      {"split: a failing group does not stop the rest", true, {true, false, true}, 3, true},
      {"split: every group failing still reports success", true, {false, false}, 2, true},
      {"no split: stops at the first failure", false, {false, true}, 1, false},
      {"no split: the last one fails", false, {true, false}, 2, false},
  };
  for (const Row& row : rows) {
    ScriptedProc proc(row.fAnswers);
    if (row.fSplit)
      proc.SetSplitVarIndexes({2});
    const bool result =
        proc.ProcessOutputXML({}, Blocks(static_cast<int>(row.fAnswers.size())), "ignored");
    EXPECT_EQ(result, row.fResult) << row.fDesc;
    ASSERT_EQ(proc.fSeen.size(), row.fProcessed) << row.fDesc;
    for (std::size_t i = 0; i < proc.fSeen.size(); ++i)
      EXPECT_EQ(proc.fSeen[i], "doc" + std::to_string(i)) << row.fDesc << ": in order";
  }
}

// Refused calls read no document. (The checks' texts, through the loaded plug-in: PluginLoadTest.)
TEST(ProcessOutputXMLList, RefusedCallsProcessNothing) {
  ScriptedProc proc({true});
  EXPECT_THROW(proc.ProcessOutputXML({"<PMML/>"}, Blocks(1), ""), CFAssertionError);
  EXPECT_THROW(proc.ProcessOutputXML({}, {}, ""), CFAssertionError);
  EXPECT_TRUE(proc.fSeen.empty());
}

} // namespace
