// A stand-in for the procedure plug-in that fails the way a faulty plug-in can: a failed contract
// check, or an exception of no known type. The end-to-end tests load it in place of the real one
// to see that the program reports such failures per document and goes on.
#include "proc/CFAssert.h"
#include "proc/CFProcCustom.h"

#include <string>

namespace {

class ThrowingProcedure : public CFProcCustom {
public:
  // The document's text says how to fail, so one run can mix failing and readable documents.
  bool ProcessOutputXML(const std::string&, const CFStatXMLInfoBlock& block) override {
    if (block.fResultXML.find("stub:assert") != std::string::npos)
      CF_ASSERT(block.fResultXML.empty(), "ProcessOutputXML", "tests/app/ThrowingProcedure");
    if (block.fResultXML.find("stub:unknown") != std::string::npos)
      throw 42;
    return true;
  }
};

} // namespace

extern "C" __attribute__((visibility("default"))) CFProcCustom* GetCFProcCustom() {
  return new ThrowingProcedure;
}
