// One result document named on the command line: loaded once and checked by the reader's own
// acceptance rules, so that a refusal can be explained to the user before anything runs.
#pragma once

#include <memory>
#include <string>
#include <utility>

class SDOMXMLWrapper;

class ResultDocument {
public:
  ~ResultDocument();
  ResultDocument(const ResultDocument&) = delete;
  ResultDocument& operator=(const ResultDocument&) = delete;

  // Reads the file at `path` and checks it as FromText does. Null with `reason` set when the file
  // cannot be read or fails the check. Never throws apart from std::bad_alloc.
  static std::unique_ptr<ResultDocument> Load(const std::string& path, std::string& reason);
  // Loads `text` (else the parser's line, column and message) and checks it with
  // ResultDocumentRules. Null with `reason` set (one line, without the document's name) when a
  // check fails.
  static std::unique_ptr<ResultDocument> FromText(std::string path, std::string text,
                                                  std::string& reason);

  const std::string& Path() const { return fPath; }
  // The document's text, handed over once: the plug-in gets it beside the loaded tree, which is
  // what it reads. Empty after the first call.
  std::string TakeText() { return std::move(fText); }
  // The root element of the loaded document; owned by this object.
  SDOMXMLWrapper& Root() const { return *fRoot; }

private:
  ResultDocument(std::string path, std::string text);

  std::string fPath;
  std::string fText;
  std::unique_ptr<SDOMXMLWrapper> fRoot;
};
