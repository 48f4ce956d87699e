// What result documents say about the command that produced them: the fields their tests use and
// the simulated Kolmogorov-Smirnov significances they hold. Without a command the program runs with
// settings taken from them; with one, the command is compared with them.
#pragma once

#include <set>
#include <string>
#include <vector>

class CommandDescriptor;
class CommandSpec;
class SDOMXMLWrapper;
class VORN_DataSource;

class DocumentSettings {
public:
  // The distributions whose one-sample Kolmogorov-Smirnov test can have a simulated companion.
  enum class Distribution { kNormal, kUniform, kExponential };
  static constexpr int kDistributions = 3;

  // The seed and number of samples the plug-in assumes when no command names them. Documents do
  // not record theirs.
  static constexpr int kDefaultSeed = 2000000;
  static constexpr int kDefaultSamples = 10000;

  // Adds what the document under `root` holds: the fields of its field records and the
  // simulations of its Lilliefors records. Unreadable parts are skipped: refusing them is the
  // reader's business.
  void Add(SDOMXMLWrapper& root);

  const std::set<int>& TestedFields() const { return fTestedFields; }
  // The fields whose test of `distribution` has a simulated companion.
  const std::set<int>& SimulatedFields(Distribution distribution) const;
  bool HasSimulation() const;

  // An NPTESTS command giving the plug-in these settings: a one-sample Kolmogorov-Smirnov test
  // with the simulation of every distribution the documents simulated, at the default seed. Empty
  // when the plug-in's defaults already fit (no simulation). Field names come from `dictionary`;
  // a field it lacks is left out.
  std::string CommandText(const VORN_DataSource& dictionary) const;

  // The simulations `command` asks for, by distribution (KOLMOGOROV_SMIRNOV of ONESAMPLE:
  // NORMAL=SAMPLE or NORMAL(SAMPLE=TRUE), UNIFORM=SAMPLE, EXPONENTIAL=SAMPLE).
  static std::vector<bool> RequestedSimulations(const CommandSpec& command,
                                                const CommandDescriptor& grammar);

  // One line per way the command does not fit the documents, naming both sides: a field of the
  // command's tests (`commandFields`) that no test of the documents uses, a simulation asked for
  // that the documents lack, or one they hold that is not asked for. `documents` and
  // `commandSource` name the two sides.
  std::vector<std::string> Mismatches(const std::vector<int>& commandFields,
                                      const std::vector<bool>& requested,
                                      const VORN_DataSource& dictionary,
                                      const std::string& documents,
                                      const std::string& commandSource) const;

  // "normal", "uniform", "exponential".
  static const char* DistributionName(Distribution distribution);

private:
  std::set<int> fTestedFields;
  std::set<int> fSimulated[kDistributions];
};
