// One result document named on the command line: its text, loaded and checked for the parts the
// plug-in's reader cannot do without, so that a refusal can be explained to the user.
#pragma once

#include <memory>
#include <string>

class SDOMXMLWrapper;

class ResultDocument {
public:
  ~ResultDocument();
  ResultDocument(const ResultDocument&) = delete;
  ResultDocument& operator=(const ResultDocument&) = delete;

  // Reads the file at `path` and checks it as FromText does. Null with `reason` set when the file
  // cannot be read or fails the check. Never throws apart from std::bad_alloc.
  static std::unique_ptr<ResultDocument> Load(const std::string& path, std::string& reason);
  // Checks `text`: an XML document (else the parser's line, column and message), the root
  // <StatXML> with a PMMLModel of type "NonParametricTests", the case counts, the test results,
  // and fields and values of the data dictionary numbered in order. Null with `reason` set
  // (one line, without the document's name) when a check fails.
  static std::unique_ptr<ResultDocument> FromText(std::string path, std::string text,
                                                  std::string& reason);

  const std::string& Path() const { return fPath; }
  const std::string& Text() const { return fText; }
  // The root element of the loaded document; owned by this object.
  SDOMXMLWrapper& Root() const { return *fRoot; }

private:
  ResultDocument(std::string path, std::string text);

  std::string fPath;
  std::string fText;
  std::unique_ptr<SDOMXMLWrapper> fRoot;
};
