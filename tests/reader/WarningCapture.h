// Collects the warning lines the reader issues: a procedure output of its own, live for the
// capture's lifetime, receives every BpError of this thread.
#pragma once

#include "output/Document.h"
#include "pivot/BpProcedure.h"

#include <string>
#include <vector>

namespace readertest {

class WarningCapture {
public:
  // The texts of every message issued so far, in output order.
  std::vector<std::string> Texts() const {
    std::vector<std::string> texts;
    for (const auto& item : fDocument.Items())
      collect(*item, texts);
    return texts;
  }

private:
  static void collect(const output::Item& item, std::vector<std::string>& texts) {
    if (const output::Message* message = item.AsMessage()) {
      texts.push_back(message->GetLabel().Text());
    } else if (const output::Heading* heading = item.AsHeading()) {
      for (const auto& child : heading->Items())
        collect(*child, texts);
    }
  }

  output::Document fDocument;
  BpProcedure fProcedure{fDocument, nullptr, nullptr};
};

} // namespace readertest
