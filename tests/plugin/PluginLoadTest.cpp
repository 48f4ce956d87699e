// Loads the built plug-in as the host does: by path with dlopen, the entry points by their
// unmangled names, the procedure object only through the host's base class.
#include "proc/CFAssert.h"
#include "proc/CFProcCustom.h"
#include "proc/CFStatXMLInfoBlock.h"

#include <gtest/gtest.h>

#include <dlfcn.h>
#include <memory>
#include <string>
#include <vector>

namespace {

using Factory = CFProcCustom* (*)();
using EntryPoint = int (*)(void*, unsigned int, void*);

struct Closer {
  void operator()(void* handle) const { dlclose(handle); }
};
using Library = std::unique_ptr<void, Closer>;

Library Open() {
  dlerror();
  Library library(dlopen(NPTESTS_PLUGIN_PATH, RTLD_NOW | RTLD_LOCAL));
  EXPECT_TRUE(library) << dlerror();
  return library;
}

TEST(Plugin, ExportsOnlyTheUnmangledEntryPoints) {
  Library library = Open();
  ASSERT_TRUE(library);
  EXPECT_NE(dlsym(library.get(), "GetCFProcCustom"), nullptr);
  EXPECT_NE(dlsym(library.get(), "DllMain"), nullptr);
  // The plug-in is built with hidden visibility: its C++ classes are not exported.
  EXPECT_EQ(dlsym(library.get(), "_ZN14NOPRProcCustomC1Ev"), nullptr);
  EXPECT_EQ(dlsym(library.get(), "_ZN15NOPROutputStats19NameToAlgorithmTypeERKNSt7__cxx1112basic_"
                                 "stringIcSt11char_traitsIcESaIcEEE"),
            nullptr);
}

TEST(Plugin, DllMainAcceptsEveryReason) {
  Library library = Open();
  ASSERT_TRUE(library);
  auto dllMain = reinterpret_cast<EntryPoint>(dlsym(library.get(), "DllMain"));
  ASSERT_NE(dllMain, nullptr);
  // Process detach, process attach, thread attach, thread detach.
  for (unsigned int reason : {0u, 1u, 2u, 3u})
    EXPECT_EQ(dllMain(library.get(), reason, nullptr), 1) << "reason " << reason;
}

TEST(Plugin, FactoryMakesAProcedureWithHostDefaults) {
  Library library = Open();
  ASSERT_TRUE(library);
  auto factory = reinterpret_cast<Factory>(dlsym(library.get(), "GetCFProcCustom"));
  ASSERT_NE(factory, nullptr);
  std::unique_ptr<CFProcCustom> proc(factory());
  ASSERT_NE(proc, nullptr);
  EXPECT_EQ(proc->GetSeed(), 2000000);
  EXPECT_FALSE(proc->GetDrawSeed());
  EXPECT_TRUE(proc->GetEngineVarIndexes().empty());
  EXPECT_TRUE(proc->GetSplitVarIndexes().empty());
  EXPECT_EQ(proc->GetWeightVarIndex(), -1);
  EXPECT_EQ(proc->GetProcedure(), nullptr);
  EXPECT_EQ(proc->GetDataSource(), nullptr);
  // Each call makes a new object.
  std::unique_ptr<CFProcCustom> other(factory());
  EXPECT_NE(other.get(), proc.get());
  // Both are deleted through the virtual destructor before the library is closed.
}

TEST(Plugin, ListFormRefusesBrokenCallsWithTheExpressionText) {
  Library library = Open();
  ASSERT_TRUE(library);
  auto factory = reinterpret_cast<Factory>(dlsym(library.get(), "GetCFProcCustom"));
  ASSERT_NE(factory, nullptr);
  std::unique_ptr<CFProcCustom> proc(factory());

  struct Row {
    const char* fDesc;
    std::vector<std::string> fPMML;
    std::size_t fBlocks;
    const char* fExpression;
  } rows[] = {
      {"a non-empty PMML list", {"<PMML/>"}, 1, "vPMMLStr.size() == 0"},
      {"no blocks", {}, 0, "nSplits > 0"},
  };
  for (const Row& row : rows) {
    std::vector<CFStatXMLInfoBlock> given(row.fBlocks);
    try {
      proc->ProcessOutputXML(row.fPMML, given, "");
      ADD_FAILURE() << row.fDesc << ": no exception";
    } catch (const CFAssertionError& e) {
      EXPECT_EQ(e.Expression(), row.fExpression) << row.fDesc;
      EXPECT_EQ(e.Function(), "ProcessOutputXML") << row.fDesc;
      EXPECT_EQ(e.Source(), "backend/nonpar/NOPRProcCustom") << row.fDesc;
    }
  }
}

} // namespace
