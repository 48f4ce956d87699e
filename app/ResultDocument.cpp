// Loading a result document and telling, in the user's terms, why the reader would refuse it.
#include "ResultDocument.h"

#include "statxml/ResultDocumentRules.h"

#include "xml/SDOMXMLWrapper.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <sstream>

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
  // Read at its size in one piece where the file tells its size, so that a large document is not
  // copied on its way in.
  std::string text;
  in.seekg(0, std::ios::end);
  const std::streamoff size = in.tellg();
  in.seekg(0, std::ios::beg);
  if (size > 0 && in) {
    text.resize(static_cast<std::size_t>(size));
    in.read(&text[0], size);
    text.resize(static_cast<std::size_t>(in.gcount()));
  } else {
    in.clear();
    std::ostringstream buffer;
    buffer << in.rdbuf();
    text = buffer.str();
  }
  if (in.bad()) {
    reason = "cannot be read";
    return nullptr;
  }
  return FromText(path, std::move(text), reason);
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
  reason = ResultDocumentRules::Refusal(*document->fRoot);
  if (!reason.empty())
    return nullptr;
  return document;
}
