// The procedure object and the plug-in's exported entry points.
#include "NOPRProcCustom.h"

#include "NOPROutput.h"
#include "NOPROutputStats.h"
#include "NOPRParseOutXML.h"

#include "parser/CommandDescriptor.h"
#include "parser/CommandSpec.h"
#include "parser/ParserMessage.h"
#include "parser/VarSpecObj.h"
#include "pivot/BpHeading.h"
#include "pivot/BpProcedure.h"
#include "proc/CFAssert.h"

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

NOPRProcCustom::NOPRProcCustom() = default;

NOPRProcCustom::NOPRProcCustom(BpProcedure* procedure, ProcedureDataSource* dataSource)
    : CFProcCustom(procedure, dataSource) {}

NOPRProcCustom::~NOPRProcCustom() = default;

namespace {

const char* const kSource = "backend/nonpar/NOPRProcCustom";

// The simulation settings of the one-sample Kolmogorov-Smirnov test, as ProcessSyntax fills them.
struct KSSettings {
  bool& fNormSimul;
  bool& fUniformSimul;
  bool& fExponSimul;
  int& fNumSamples;
  double& fMCConfLevel;
};

// Appends the valid variables of a subcommand's TEST list. Invalid names are left to the host's
// own parse to report, so this validation stays quiet.
void AppendTestVariables(const SubComObj& subcommand, const char* subName,
                         const CommandDescriptor* descriptor, VORN_DataSource* dataSource,
                         std::vector<int>& variables) {
  const ParamObj* test = subcommand.getParamObj("TEST");
  if (test == nullptr)
    return;
  std::vector<std::string> names;
  test->getVarList(names);
  VarSpecObj spec("TEST", subName, descriptor, dataSource, false);
  spec.SetErrorReport(false);
  if (!names.empty() && spec.ValidateVariables(names, 3))
    variables.insert(variables.end(), spec.GetValidVarList().begin(), spec.GetValidVarList().end());
}

// NORMAL=SAMPLE asks for the simulation; NORMAL(SAMPLE=TRUE|FALSE) says it explicitly.
bool ReadNormal(const ParamObj& normal, KSSettings& settings) {
  const ParamObj* item = nullptr;
  if (!normal.getStringAndQual(item))
    return false;
  if (item->getParamName() != "SAMPLE")
    return true;
  if (item->isLeadingToken()) {
    settings.fNormSimul = true;
    return true;
  }
  const ParamObj* value = nullptr;
  if (!item->getStringAndQual(value))
    return false;
  if (item->isStringValueCase("TRUE"))
    settings.fNormSimul = true;
  else if (item->isStringValueCase("FALSE"))
    settings.fNormSimul = false;
  return true;
}

// The item of UNIFORM, EXPONENTIAL or POISSON; true in `sample` when it is SAMPLE.
bool ReadSampleItem(const ParamObj& distribution, bool& sample) {
  const ParamObj* item = nullptr;
  if (!distribution.getStringAndQual(item))
    return false;
  sample = item->getParamName() == "SAMPLE";
  return true;
}

// Reads the qualifiers of KOLMOGOROV_SMIRNOV in their fixed order; stops at the first one that
// cannot be read and returns false.
bool ReadKolmogorovSmirnov(const ParamObj& ks, const ParamDescriptor* ksDesc, KSSettings& settings,
                           ParserMessage& message, bool& seedNeeded) {
  std::vector<const ParamObj*> list;
  if (!ks.getStringQualList(ksDesc, list))
    return false;
  if (const ParamObj* samples = ParamObj::getParamObj("NSAMPLES", list))
    samples->getIntegerValue(settings.fNumSamples);
  if (const ParamObj* level = ParamObj::getParamObj("MC_CILEVEL", list))
    level->getNumberValue(settings.fMCConfLevel);
  if (const ParamObj* normal = ParamObj::getParamObj("NORMAL", list)) {
    if (!ReadNormal(*normal, settings))
      return false;
    if (settings.fNormSimul)
      seedNeeded = true;
  }
  bool sample = false;
  if (const ParamObj* uniform = ParamObj::getParamObj("UNIFORM", list)) {
    if (!ReadSampleItem(*uniform, sample))
      return false;
    if (sample) {
      settings.fUniformSimul = true;
      seedNeeded = true;
    }
  }
  if (const ParamObj* expon = ParamObj::getParamObj("EXPONENTIAL", list)) {
    if (!ReadSampleItem(*expon, sample))
      return false;
    if (sample) {
      settings.fExponSimul = true;
      seedNeeded = true;
    }
  }
  if (const ParamObj* poisson = ParamObj::getParamObj("POISSON", list)) {
    if (!ReadSampleItem(*poisson, sample))
      return false;
    if (sample)
      message.GenericWarning("K-S Poisson Sample ignored ...", nullptr, nullptr, nullptr, nullptr,
                             nullptr);
  }
  return true;
}

// The test fields and the grouping field of INDEPENDENT; false when a field is both.
bool ReadIndependent(const SubComObj& independent, const CommandDescriptor* descriptor,
                     VORN_DataSource* dataSource, std::vector<int>& variables) {
  VarSpecObj testSpec("TEST", "INDEPENDENT", descriptor, dataSource, false);
  bool testValid = false;
  if (const ParamObj* test = independent.getParamObj("TEST")) {
    std::vector<std::string> names;
    test->getVarList(names);
    testSpec.SetErrorReport(false);
    if (!names.empty() && testSpec.ValidateVariables(names, 3)) {
      testValid = true;
      variables.insert(variables.end(), testSpec.GetValidVarList().begin(),
                       testSpec.GetValidVarList().end());
    }
  }
  VarSpecObj groupSpec("GROUP", "INDEPENDENT", descriptor, dataSource, false);
  int groupIndex = -1;
  if (const ParamObj* group = independent.getParamObj("GROUP")) {
    std::string name;
    group->getVarName(name);
    groupSpec.SetErrorReport(false);
    if (!name.empty())
      groupIndex = groupSpec.ValidateVariable(name);
    if (groupIndex >= 0)
      variables.push_back(groupIndex);
  }
  if (!testValid || groupIndex < 0)
    return true;
  testSpec.SetErrorReport(true);
  groupSpec.SetErrorReport(true);
  return testSpec.CheckCommonVars(groupSpec);
}

} // namespace

bool NOPRProcCustom::ProcessSyntax(const CommandSpec* spec, const CommandDescriptor* descriptor) {
  if (spec == nullptr || descriptor == nullptr)
    return true;
  ParserMessage message(descriptor->GetMessageLog());
  message.SetCommandName(descriptor->getCommandName());
  message.SetProcedureTitle(descriptor->getProcedureTitle());

  std::vector<int> variables = fSplitVarIndexes;
  if (fWeightVarIndex >= 0)
    variables.push_back(fWeightVarIndex);

  fSeed = 2000000;
  fUseKSNormSimul = false;
  fUseKSUniformSimul = false;
  fUseKSExponSimul = false;
  fNumSamples = 10000;
  fMCConfLevel = 99.0;
  bool ok = true;
  bool seedNeeded = false;

  if (const SubComObj* oneSample = spec->getSubComObj("ONESAMPLE")) {
    const SubComDescriptor* pOneSampDesc = descriptor->getSubComDesc("ONESAMPLE");
    CF_ASSERT(pOneSampDesc != 0, "ProcessSyntax", kSource);
    AppendTestVariables(*oneSample, "ONESAMPLE", descriptor, fDataSource, variables);
    if (const ParamObj* ks = oneSample->getParamObj("KOLMOGOROV_SMIRNOV")) {
      const ParamDescriptor* pKolmSmirnDesc = pOneSampDesc->getParamDesc("KOLMOGOROV_SMIRNOV");
      CF_ASSERT(pKolmSmirnDesc != 0, "ProcessSyntax", kSource);
      KSSettings settings{fUseKSNormSimul, fUseKSUniformSimul, fUseKSExponSimul, fNumSamples,
                          fMCConfLevel};
      ok = ReadKolmogorovSmirnov(*ks, pKolmSmirnDesc, settings, message, seedNeeded);
    }
  }
  if (ok) {
    if (const SubComObj* independent = spec->getSubComObj("INDEPENDENT"))
      ok = ReadIndependent(*independent, descriptor, fDataSource, variables);
  }
  if (ok) {
    if (const SubComObj* related = spec->getSubComObj("RELATED"))
      AppendTestVariables(*related, "RELATED", descriptor, fDataSource, variables);
  }
  if (ok && seedNeeded)
    fDrawSeed = true;
  if (ok) {
    const SubComObj* criteria = spec->getSubComObj("CRITERIA");
    const ParamObj* seed = criteria != nullptr ? criteria->getParamObj("SEED") : nullptr;
    // A seed matters only to the simulation; without one the given seed is not used.
    if (seed != nullptr && seedNeeded && !seed->isStringValueCase("RANDOM")) {
      seed->getIntegerValue(fSeed);
      fDrawSeed = false;
    }
  }
  if (ok && fDrawSeed)
    fSeed = GetNextSeed();
  if (ok && !variables.empty()) {
    std::sort(variables.begin(), variables.end());
    variables.erase(std::unique(variables.begin(), variables.end()), variables.end());
    fEngineVarIndexes = variables;
  }
  return ok;
}

bool NOPRProcCustom::ProcessOutputXML(const std::string&, const CFStatXMLInfoBlock& block) {
  auto stats = std::make_unique<NOPROutputStats>();
  stats->UserSeed(fSeed);
  stats->UseKSNormSimul(fUseKSNormSimul);
  stats->UseKSUniformSimul(fUseKSUniformSimul);
  stats->UseKSExponSimul(fUseKSExponSimul);
  stats->NumSamples(fNumSamples);
  stats->MCConfLevel(fMCConfLevel);
  stats->EffectSizesShown(GetEffectSizesShown());
  stats->SetDataSource(fDataSource);
  stats->SetDictMetadata(fDictMetadata);
  stats->SetCFStatXMLInfoBlock(&block);

  // The reader borrows the block's text or loaded document; the block outlives this call.
  auto reader = std::make_unique<NOPRParseOutXML>(fDataSource, stats.get(), block.fResultXML);
  reader->UseLoadedDocument(block.fResultRoot);
  const bool read = reader->ParseXML();
  fReadError = reader->Error();
  if (read) {
    std::unique_ptr<BpHeading> splitHeading(stats->GetSplitHeading(fProcedure));
    BpHeading* parent = splitHeading ? splitHeading.get() : fProcedure;
    auto writer = std::make_unique<NOPROutput>(fProcedure, parent, fDataSource, stats.get());
    writer->DisplayOutput();
    splitHeading.reset();
    writer.reset();
  }
  reader.reset();
  stats.reset();
  return read;
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
