// The procedure base: default behaviour of the operations a plug-in may override, and the seed
// generator.
#include "proc/CFProcCustom.h"

#include "dict/ProcedureDataSource.h"

CFProcCustom::CFProcCustom() : fSeedGenerator(std::random_device{}()) {}

CFProcCustom::CFProcCustom(BpProcedure* procedure, ProcedureDataSource* dataSource)
    : fProcedure(procedure), fDataSource(dataSource), fSeedGenerator(std::random_device{}()) {}

CFProcCustom::~CFProcCustom() = default;

bool CFProcCustom::ProcessSyntax(const CommandSpec*, const CommandDescriptor*) {
  return true;
}

bool CFProcCustom::ProcessOutputXML(const std::string&, const CFStatXMLInfoBlock&) {
  return false;
}

bool CFProcCustom::ProcessOutputXML(const std::vector<std::string>&,
                                    const std::vector<CFStatXMLInfoBlock>&, const std::string&) {
  return false;
}

void CFProcCustom::SetStatJSON(const std::vector<std::string>& texts) {
  fStatJSON = texts;
}

bool CFProcCustom::ProcessOutputJSON() {
  return false;
}

int CFProcCustom::GetNextSeed() const {
  // Seeds are positive ints; 0 is avoided because engines read it as "choose one yourself".
  std::uniform_int_distribution<int> draw(1, 2147483646);
  return draw(fSeedGenerator);
}
