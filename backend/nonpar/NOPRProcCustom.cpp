// The procedure object and the plug-in's exported entry points.
#include "NOPRProcCustom.h"

#include "proc/CFAssert.h"

NOPRProcCustom::NOPRProcCustom() = default;

NOPRProcCustom::NOPRProcCustom(BpProcedure* procedure, ProcedureDataSource* dataSource)
    : CFProcCustom(procedure, dataSource) {}

NOPRProcCustom::~NOPRProcCustom() = default;

bool NOPRProcCustom::ProcessSyntax(const CommandSpec* spec, const CommandDescriptor* descriptor) {
  // Reading of the NPTESTS command lands with the command parser.
  return CFProcCustom::ProcessSyntax(spec, descriptor);
}

bool NOPRProcCustom::ProcessOutputXML(const std::string&, const CFStatXMLInfoBlock&) {
  // Reading and writing a result document land with the result reader and the table writer.
  return false;
}

bool NOPRProcCustom::ProcessOutputXML(const std::vector<std::string>& vPMMLStr,
                                      const std::vector<CFStatXMLInfoBlock>& blocks,
                                      const std::string&) {
  CF_ASSERT(vPMMLStr.size() == 0, "ProcessOutputXML", "backend/nonpar/NOPRProcCustom");
  const int nSplits = static_cast<int>(blocks.size());
  CF_ASSERT(nSplits > 0, "ProcessOutputXML", "backend/nonpar/NOPRProcCustom");

  bool result = true;
  for (int i = 0; i < nSplits && result; ++i) {
    // Through the virtual slot, so a subclass's one-document operation is the one used.
    const bool read = ProcessOutputXML(std::string(), blocks[static_cast<std::size_t>(i)]);
    // A split group that fails to read does not stop the other groups.
    if (fSplitVarIndexes.empty())
      result = read;
  }
  return result;
}

extern "C" {

CFProcCustom* GetCFProcCustom() {
  return new NOPRProcCustom;
}

int DllMain(void*, unsigned int, void*) {
  return 1;
}
}
