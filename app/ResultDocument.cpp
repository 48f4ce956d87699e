// Loading a result document and telling, in the user's terms, why the reader would refuse it.
#include "ResultDocument.h"

#include "xml/SDOMXMLIterator.h"
#include "xml/SDOMXMLWrapper.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <sstream>

namespace {

const char* const kNotAResult = "not a nonparametric tests result: ";

// The parts without which the reader writes nothing, with what they hold for the message.
struct RequiredPart {
  const char* fPath;
  const char* fWhat;
};
constexpr RequiredPart kRequiredParts[] = {
    {"DescriptiveModel/DescriptiveSummary/Counts", "the case counts"},
    {"Extension/NPAROutput/NonParametricTests", "the test results"},
};

std::string Attribute(SDOMXMLWrapper& element, const char* name) {
  std::string value;
  element.GetAttribute(name, value);
  return value;
}

// The reader matches fields and values by position, so their "index" attributes must count up
// from 0; it refuses the document otherwise.
bool CheckNumbering(SDOMXMLWrapper& parent, const char* child, const std::string& where,
                    std::string& reason) {
  SDOMXMLIterator* it = nullptr;
  if (!parent.GetElementIterator(child, &it) || it == nullptr)
    return true;
  int expected = 0;
  SDOMXMLWrapper* element = nullptr;
  while (it->Next(&element)) {
    int index = -1;
    if (!element->GetAttribute("index", index) || index != expected) {
      const std::string given = Attribute(*element, "index");
      reason = "a required part is malformed: " + where + child + " number " +
               std::to_string(expected + 1) + " has index \"" + given + "\"; the " + child +
               " elements must be numbered 0, 1, 2, ... in order";
      return false;
    }
    ++expected;
  }
  return true;
}

bool CheckDictionary(SDOMXMLWrapper& root, std::string& reason) {
  SDOMXMLWrapper* dictionary = nullptr;
  if (!root.GetFirstElement("Extension/NPAROutput/DataDictionary", &dictionary) ||
      dictionary == nullptr)
    return true; // optional here: a dictionary file can stand in for it
  const std::string where = "DataDictionary/";
  if (!CheckNumbering(*dictionary, "DataField", where, reason))
    return false;
  SDOMXMLIterator* fields = nullptr;
  if (!dictionary->GetElementIterator("DataField", &fields) || fields == nullptr)
    return true;
  SDOMXMLWrapper* field = nullptr;
  while (fields->Next(&field)) {
    if (!CheckNumbering(*field, "Value", where + "DataField \"" + Attribute(*field, "name") + "\"/",
                        reason))
      return false;
  }
  return true;
}

bool Check(SDOMXMLWrapper& root, std::string& reason) {
  if (root.GetName() != "StatXML") {
    reason =
        std::string(kNotAResult) + "its root element is <" + root.GetName() + ">, not <StatXML>";
    return false;
  }
  SDOMXMLWrapper* model = nullptr;
  if (!root.GetFirstElement("PMMLModel", &model) || model == nullptr) {
    reason = std::string(kNotAResult) + "it has no <PMMLModel> element";
    return false;
  }
  const std::string type = Attribute(*model, "modelType");
  if (type != "NonParametricTests") {
    reason =
        std::string(kNotAResult) + "its model type is \"" + type + "\", not \"NonParametricTests\"";
    return false;
  }
  for (const RequiredPart& part : kRequiredParts) {
    SDOMXMLWrapper* element = nullptr;
    if (!root.GetFirstElement(part.fPath, &element) || element == nullptr) {
      reason = std::string("a required part is missing: ") + part.fPath + " (" + part.fWhat + ")";
      return false;
    }
  }
  return CheckDictionary(root, reason);
}

} // namespace

ResultDocument::ResultDocument(std::string path, std::string text)
    : fPath(std::move(path)), fText(std::move(text)), fRoot(new SDOMXMLWrapper) {}

ResultDocument::~ResultDocument() = default;

std::unique_ptr<ResultDocument> ResultDocument::Load(const std::string& path, std::string& reason) {
  struct stat info;
  if (stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode)) {
    reason = "is a folder, not a file";
    return nullptr;
  }
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    reason = std::string("cannot be opened: ") + std::strerror(errno);
    return nullptr;
  }
  std::ostringstream text;
  text << in.rdbuf();
  if (in.bad()) {
    reason = "cannot be read";
    return nullptr;
  }
  return FromText(path, text.str(), reason);
}

std::unique_ptr<ResultDocument> ResultDocument::FromText(std::string path, std::string text,
                                                         std::string& reason) {
  if (text.find_first_not_of(" \t\r\n") == std::string::npos) {
    reason = "is empty: not an XML document";
    return nullptr;
  }
  std::unique_ptr<ResultDocument> document(new ResultDocument(std::move(path), std::move(text)));
  if (document->fRoot->LoadFromString(document->fText) == 0) {
    reason = "not an XML document: " + document->fRoot->GetLastError().ToString();
    return nullptr;
  }
  if (!Check(*document->fRoot, reason))
    return nullptr;
  return document;
}
