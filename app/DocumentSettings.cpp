// Reading the settings a result document implies and comparing a command with them.
#include "DocumentSettings.h"

#include "dict/VORN_DataSource.h"
#include "parser/CommandDescriptor.h"
#include "parser/CommandSpec.h"
#include "parser/ParamObj.h"
#include "parser/SubComDescriptor.h"
#include "parser/SubComObj.h"
#include "xml/SDOMXMLIterator.h"
#include "xml/SDOMXMLWrapper.h"

#include <string>

namespace {

using Distribution = DocumentSettings::Distribution;

struct SimulationKind {
  Distribution fDistribution;
  // The condition key of the Lilliefors record and the keyword of KOLMOGOROV_SMIRNOV.
  const char* fConditionKey;
  const char* fKeyword;
};

constexpr SimulationKind kSimulations[DocumentSettings::kDistributions] = {
    {Distribution::kNormal, "NormalDistribution_O_Lilliefors_3", "NORMAL"},
    {Distribution::kUniform, "UniformDistribution_O_Lilliefors_3", "UNIFORM"},
    {Distribution::kExponential, "ExponentialDistribution_O_Lilliefors_2", "EXPONENTIAL"},
};

std::size_t IndexOf(Distribution distribution) {
  return static_cast<std::size_t>(distribution);
}

// The condition of an Algorithm element: its key and the first field index, or false.
bool ReadCondition(SDOMXMLWrapper& algorithm, std::string& key, int& field) {
  SDOMXMLIterator* tables = nullptr;
  if (!algorithm.GetElementIterator("StructuredTable", &tables) || tables == nullptr)
    return false;
  SDOMXMLWrapper* table = nullptr;
  while (tables->Next(&table)) {
    std::string name;
    if (!table->GetAttribute("name", name) || name != "Condition")
      continue;
    SDOMXMLIterator* attributes = nullptr;
    if (!table->GetElementIterator("Attribute", &attributes) || attributes == nullptr)
      return false;
    bool haveKey = false;
    bool haveField = false;
    SDOMXMLWrapper* attribute = nullptr;
    while (attributes->Next(&attribute)) {
      std::string attributeName;
      attribute->GetAttribute("name", attributeName);
      if (attributeName == "ConditionKey")
        haveKey = attribute->GetAttribute("value", key);
      else if (attributeName == "%0")
        haveField = attribute->GetAttribute("value", field);
    }
    return haveKey && haveField;
  }
  return false;
}

std::string FieldName(const VORN_DataSource& dictionary, int field) {
  const VORN_Variable* variable = dictionary.GetVariable(field);
  return variable != nullptr ? variable->GetName() : "field " + std::to_string(field);
}

// NORMAL=SAMPLE or NORMAL(SAMPLE=TRUE) asks for the simulation; UNIFORM and EXPONENTIAL ask with
// SAMPLE as their item.
bool AsksForSimulation(const ParamObj& distribution, Distribution kind) {
  const ParamObj* item = nullptr;
  if (!distribution.getStringAndQual(item) || item == nullptr || item->getParamName() != "SAMPLE")
    return false;
  if (kind != Distribution::kNormal || item->isLeadingToken())
    return true;
  const ParamObj* value = nullptr;
  return item->getStringAndQual(value) && item->isStringValueCase("TRUE");
}

} // namespace

const char* DocumentSettings::DistributionName(Distribution distribution) {
  switch (distribution) {
  case Distribution::kNormal:
    return "normal";
  case Distribution::kUniform:
    return "uniform";
  case Distribution::kExponential:
    return "exponential";
  }
  return "normal";
}

void DocumentSettings::Add(SDOMXMLWrapper& root) {
  SDOMXMLWrapper* infos = nullptr;
  SDOMXMLIterator* it = nullptr;
  if (root.GetFirstElement("Extension/NPAROutput/FieldInfos", &infos) && infos != nullptr &&
      infos->GetElementIterator("FieldInfo", &it) && it != nullptr) {
    SDOMXMLWrapper* info = nullptr;
    while (it->Next(&info)) {
      int field = -1;
      if (info->GetAttribute("varIndex", field) && field >= 0)
        fTestedFields.insert(field);
    }
  }
  SDOMXMLWrapper* tests = nullptr;
  if (!root.GetFirstElement("Extension/NPAROutput/NonParametricTests", &tests) ||
      tests == nullptr || !tests->GetElementIterator("Algorithm", &it) || it == nullptr)
    return;
  SDOMXMLWrapper* algorithm = nullptr;
  while (it->Next(&algorithm)) {
    std::string name;
    std::string key;
    int field = -1;
    if (!algorithm->GetAttribute("name", name) || name != "OLilliefors" ||
        !ReadCondition(*algorithm, key, field) || field < 0)
      continue;
    for (const SimulationKind& kind : kSimulations) {
      if (key == kind.fConditionKey)
        fSimulated[IndexOf(kind.fDistribution)].insert(field);
    }
  }
}

const std::set<int>& DocumentSettings::SimulatedFields(Distribution distribution) const {
  return fSimulated[IndexOf(distribution)];
}

bool DocumentSettings::HasSimulation() const {
  for (const std::set<int>& fields : fSimulated) {
    if (!fields.empty())
      return true;
  }
  return false;
}

std::string DocumentSettings::CommandText(const VORN_DataSource& dictionary) const {
  std::set<int> fields;
  std::string simulations;
  for (const SimulationKind& kind : kSimulations) {
    const std::set<int>& simulated = SimulatedFields(kind.fDistribution);
    if (simulated.empty())
      continue;
    fields.insert(simulated.begin(), simulated.end());
    simulations += std::string(simulations.empty() ? "" : " ") + kind.fKeyword + "=SAMPLE";
  }
  std::string names;
  for (int field : fields) {
    if (const VORN_Variable* variable = dictionary.GetVariable(field))
      names += (names.empty() ? "" : " ") + variable->GetName();
  }
  if (names.empty())
    return std::string();
  return "NPTESTS /ONESAMPLE TEST(" + names + ") KOLMOGOROV_SMIRNOV(" + simulations +
         " NSAMPLES=" + std::to_string(kDefaultSamples) +
         ") /CRITERIA SEED=" + std::to_string(kDefaultSeed) + ".";
}

std::vector<bool> DocumentSettings::RequestedSimulations(const CommandSpec& command,
                                                         const CommandDescriptor& grammar) {
  std::vector<bool> requested(kDistributions, false);
  const SubComObj* oneSample = command.getSubComObj("ONESAMPLE");
  const SubComDescriptor* oneSampleGrammar = grammar.getSubComDesc("ONESAMPLE");
  if (oneSample == nullptr || oneSampleGrammar == nullptr)
    return requested;
  const ParamObj* ks = oneSample->getParamObj("KOLMOGOROV_SMIRNOV");
  std::vector<const ParamObj*> list;
  if (ks == nullptr ||
      !ks->getStringQualList(oneSampleGrammar->getParamDesc("KOLMOGOROV_SMIRNOV"), list))
    return requested;
  for (const SimulationKind& kind : kSimulations) {
    const ParamObj* distribution = ParamObj::getParamObj(kind.fKeyword, list);
    if (distribution != nullptr && AsksForSimulation(*distribution, kind.fDistribution))
      requested[IndexOf(kind.fDistribution)] = true;
  }
  return requested;
}

std::vector<std::string> DocumentSettings::Mismatches(const std::vector<int>& commandFields,
                                                      const std::vector<bool>& requested,
                                                      const VORN_DataSource& dictionary,
                                                      const std::string& documents,
                                                      const std::string& commandSource) const {
  std::vector<std::string> lines;
  for (int field : commandFields) {
    if (fTestedFields.count(field) == 0)
      lines.push_back(commandSource + " tests " + FieldName(dictionary, field) +
                      ", which no test of " + documents + " uses");
  }
  for (const SimulationKind& kind : kSimulations) {
    const std::set<int>& held = SimulatedFields(kind.fDistribution);
    const bool asked =
        IndexOf(kind.fDistribution) < requested.size() && requested[IndexOf(kind.fDistribution)];
    const std::string test =
        std::string("the ") + DistributionName(kind.fDistribution) + " Kolmogorov-Smirnov test";
    if (asked && held.empty()) {
      lines.push_back(commandSource + " asks for the simulated significance of " + test + " (" +
                      kind.fKeyword + "=SAMPLE), which " + documents +
                      " does not hold; the asymptotic one is shown");
    } else if (!asked && !held.empty()) {
      std::string fields;
      for (int field : held)
        fields += (fields.empty() ? "" : ", ") + FieldName(dictionary, field);
      lines.push_back(documents + " holds the simulated significance of " + test + " of " + fields +
                      ", which " + commandSource + " does not ask for (" + kind.fKeyword +
                      "=SAMPLE); it is left out of the report");
    }
  }
  return lines;
}
