// libFuzzer target: any bytes go through the XML wrapper, and whatever loads is walked whole.
#include "xml/SDOMXMLIterator.h"
#include "xml/SDOMXMLWrapper.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace {

// The names the reader asks for most, so that attribute conversion runs on fuzzed values.
const char* const kAttributeNames[] = {"name", "value", "index", "number", "sigLevel"};

void Visit(SDOMXMLWrapper& element, int depth) {
  // The parser caps nesting; the walk must stay below the same cap on its own.
  if (depth > SDOMXMLWrapper::kMaxNestingDepth)
    __builtin_trap();
  const std::string name = element.GetName();
  std::string text;
  int integer = 0;
  double number = 0;
  for (const char* attribute : kAttributeNames) {
    element.GetAttribute(attribute, text);
    element.GetAttribute(attribute, integer);
    element.GetAttribute(attribute, number);
  }
  element.GetTextBody(text);

  SDOMXMLIterator* children = nullptr;
  if (!element.GetElementIterator("", &children, true))
    return;
  SDOMXMLWrapper* child = nullptr;
  bool first = true;
  while (children->Next(&child)) {
    if (first) {
      // A path and a named walk through the first child, then the full recursion.
      SDOMXMLWrapper* found = nullptr;
      if (!element.GetFirstElement(child->GetName(), &found, true) || found != child)
        __builtin_trap();
      SDOMXMLIterator* named = nullptr;
      if (element.GetElementIterator(child->GetName(), &named, true)) {
        for (SDOMXMLWrapper* n = nullptr; named->Next(&n);) {
        }
      }
      first = false;
    }
    Visit(*child, depth + 1);
  }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  SDOMXMLWrapper document;
  if (document.LoadFromString(std::string(reinterpret_cast<const char*>(data), size)) != 0)
    Visit(document, 1);
  else
    (void)document.GetLastError().ToString();
  return 0;
}
