// Writes result documents: an element tree of the document's shape, serialised with every text
// escaped and every number in its shortest exact form, so that the reader gets back the double
// that was written.
#pragma once

#include <string>
#include <vector>

class ResultElement {
public:
  explicit ResultElement(std::string tag);

  // Adds an attribute, in order; texts are escaped when written.
  ResultElement& Set(const std::string& name, const std::string& value);
  ResultElement& Set(const std::string& name, const char* value);
  ResultElement& Set(const std::string& name, double value);
  // Adds a child and returns it. The reference stays valid until the next child is added.
  ResultElement& Add(const std::string& tag);
  ResultElement& Add(ResultElement child);
  void SetText(std::string text) { fText = std::move(text); }

  const std::string& Tag() const { return fTag; }
  const std::vector<std::pair<std::string, std::string>>& Attributes() const { return fAttributes; }
  const std::vector<ResultElement>& Children() const { return fChildren; }

  // Appends the element, indented two blanks a level, one element a line.
  void WriteTo(std::string& out, int depth = 0) const;

private:
  std::string fTag;
  std::vector<std::pair<std::string, std::string>> fAttributes;
  std::vector<ResultElement> fChildren;
  std::string fText;
};

class ResultDocumentWriter {
public:
  // The text the reader reads back as exactly `value`: integers below 1e15 without a decimal
  // point, other values in the shortest form that round-trips, NaN as the missing value.
  static std::string NumberText(double value);
  // Numbers separated by single blanks.
  static std::string NumbersText(const std::vector<double>& values);
  // The document: the XML declaration and the root element.
  static std::string Write(const ResultElement& root);
};
