// The procedure object the host drives (command first, then the engine's result documents) and
// the two C entry points the plug-in exports: the factory GetCFProcCustom and DllMain.
#pragma once

#include "proc/CFProcCustom.h"

#include <string>
#include <vector>

// The plug-in is built with hidden visibility; only what carries this is exported.
#define NOPR_EXPORT __attribute__((visibility("default")))

class NOPRProcCustom : public CFProcCustom {
public:
  // Used by the factory; settings at their defaults.
  NOPRProcCustom();
  // `procedure` and `dataSource` are borrowed by the base and must outlive the object.
  NOPRProcCustom(BpProcedure* procedure, ProcedureDataSource* dataSource);
  ~NOPRProcCustom() override;

  // Reads the NPTESTS command: the engine variables, the seed and the simulation settings.
  bool ProcessSyntax(const CommandSpec* spec, const CommandDescriptor* descriptor) override;
  // Reads one result document (the block's fResultXML; `pmml` is not used) and writes its
  // output. Returns true when the document was read; nothing is written when it was not.
  bool ProcessOutputXML(const std::string& pmml, const CFStatXMLInfoBlock& block) override;
  // One result document per split group, in order. With split variables every group is
  // processed and the result is true; without them processing stops at the first document that
  // fails and the result is false. `pmml` must be empty and `blocks` not: otherwise throws
  // CFAssertionError. `extra` is not used.
  bool ProcessOutputXML(const std::vector<std::string>& pmml,
                        const std::vector<CFStatXMLInfoBlock>& blocks,
                        const std::string& extra) override;

  // Settings of the one-sample Kolmogorov-Smirnov simulation, stored by ProcessSyntax.
  bool UseKSNormSimul() const { return fUseKSNormSimul; }
  bool UseKSUniformSimul() const { return fUseKSUniformSimul; }
  bool UseKSExponSimul() const { return fUseKSExponSimul; }
  int NumSamples() const { return fNumSamples; }
  double MCConfLevel() const { return fMCConfLevel; }

private:
  bool fUseKSNormSimul = false;
  bool fUseKSUniformSimul = false;
  bool fUseKSExponSimul = false;
  int fNumSamples = 10000;
  // Percent.
  double fMCConfLevel = 99.0;
};

extern "C" {
// A new procedure object with default settings; the host owns it and deletes it through the
// virtual destructor.
NOPR_EXPORT CFProcCustom* GetCFProcCustom();
// The loader's entry point: nothing to set up or tear down, so it accepts every reason.
NOPR_EXPORT int DllMain(void* module, unsigned int reason, void* reserved);
}
