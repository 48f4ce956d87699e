// The base of every procedure plug-in: the state the host fills before it drives the procedure
// (output, dictionary, split and weight variables, seed) and the operations it calls.
#pragma once

#include "proc/CFStatXMLInfoBlock.h"

#include <random>
#include <string>
#include <vector>

class BpProcedure;
class CFMetaData;
class CommandDescriptor;
class CommandSpec;
class ProcedureDataSource;
class VORN_DataSource;

class CFProcCustom {
public:
  CFProcCustom();
  // The procedure writes its output under `procedure`; `dataSource` is the active dictionary.
  // Both are borrowed and must outlive the procedure object.
  CFProcCustom(BpProcedure* procedure, ProcedureDataSource* dataSource);
  virtual ~CFProcCustom();
  CFProcCustom(const CFProcCustom&) = delete;
  CFProcCustom& operator=(const CFProcCustom&) = delete;

  // The command, parsed by the host; returns true when it can be run.
  virtual bool ProcessSyntax(const CommandSpec* spec, const CommandDescriptor* descriptor);
  // One result document; returns true when it was read.
  virtual bool ProcessOutputXML(const std::string& pmml, const CFStatXMLInfoBlock& block);
  // One result document per split group.
  virtual bool ProcessOutputXML(const std::vector<std::string>& pmml,
                                const std::vector<CFStatXMLInfoBlock>& blocks,
                                const std::string& extra);
  // Results as JSON texts: kept for ProcessOutputJSON; this host hands results over as XML.
  virtual void SetStatJSON(const std::vector<std::string>& texts);
  // Returns false: no procedure of this host writes output from JSON results.
  virtual bool ProcessOutputJSON();

  // The host fills the state below before it calls the operations above.
  void SetProcedure(BpProcedure* procedure) { fProcedure = procedure; }
  void SetDataSource(VORN_DataSource* dataSource) { fDataSource = dataSource; }
  void SetDictMetadata(CFMetaData* metadata) { fDictMetadata = metadata; }
  void SetWeightVarIndex(int index) { fWeightVarIndex = index; }
  void SetSplitVarIndexes(const std::vector<int>& indexes) { fSplitVarIndexes = indexes; }
  void SetSeed(int seed) { fSeed = seed; }
  void SetDrawSeed(bool draw) { fDrawSeed = draw; }
  // Whether the procedure adds effect sizes and report lines to its output (default true).
  void SetEffectSizesShown(bool shown) { fEffectSizesShown = shown; }
  // Makes GetNextSeed repeatable (tests, reproducible runs).
  void SetSeedGeneratorState(unsigned int state) { fSeedGenerator.seed(state); }

  BpProcedure* GetProcedure() const { return fProcedure; }
  VORN_DataSource* GetDataSource() const { return fDataSource; }
  CFMetaData* GetDictMetadata() const { return fDictMetadata; }
  const std::vector<int>& GetEngineVarIndexes() const { return fEngineVarIndexes; }
  int GetSeed() const { return fSeed; }
  bool GetDrawSeed() const { return fDrawSeed; }
  bool GetEffectSizesShown() const { return fEffectSizesShown; }
  int GetWeightVarIndex() const { return fWeightVarIndex; }
  const std::vector<int>& GetSplitVarIndexes() const { return fSplitVarIndexes; }
  const std::vector<std::string>& GetStatJSON() const { return fStatJSON; }
  // Why the last ProcessOutputXML could not read its document, in one line; empty when it could,
  // or when the procedure does not say.
  const std::string& GetReadError() const { return fReadError; }

  // The host's next random seed: a positive int from a generator seeded from the system's
  // entropy when the object is made.
  int GetNextSeed() const;

protected:
  BpProcedure* fProcedure = nullptr;
  VORN_DataSource* fDataSource = nullptr;
  CFMetaData* fDictMetadata = nullptr;
  std::vector<int> fEngineVarIndexes;
  int fSeed = 2000000;
  bool fDrawSeed = false;
  bool fEffectSizesShown = true;
  int fWeightVarIndex = -1;
  std::vector<int> fSplitVarIndexes;
  std::string fReadError;

private:
  std::vector<std::string> fStatJSON;
  mutable std::mt19937 fSeedGenerator;
};
