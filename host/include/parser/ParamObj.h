// One parameter as the user wrote it, or one item of a parameter's value. A parameter is a
// keyword, alone ("MANN_WHITNEY"), with "=" and a value ("SEED=123", "NORMAL=SAMPLE",
// "TEST=a b") or with a parenthesised list ("KOLMOGOROV_SMIRNOV(NORMAL=SAMPLE NSAMPLES=1000)").
// The items of that value are ParamObj too: nested keywords, variable names, keyword values,
// numbers and strings.
//
// For "KOLMOGOROV_SMIRNOV(NORMAL=SAMPLE NSAMPLES=1000)":
// - getStringQualList on KOLMOGOROV_SMIRNOV gives [NORMAL, NSAMPLES];
// - NORMAL's getStringAndQual gives the item SAMPLE, whose isLeadingToken() is true because it
//   stands alone;
// - in "NORMAL(SAMPLE=TRUE)" the item SAMPLE is not a leading token; its getStringAndQual gives
//   the item TRUE and its isStringValueCase("TRUE") is true.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

class ParamDescriptor;

class ParamObj {
public:
  enum class Kind {
    kKeyword,  // a keyword of the grammar, possibly with a value
    kWord,     // a keyword value such as SAMPLE in "SEED=RANDOM" or PAIRWISE
    kVariable, // a variable name (in the dictionary's spelling when a dictionary was at hand)
    kNumber,
    kString
  };
  enum class Form {
    kBare,   // written alone
    kEquals, // followed by "=" and its items
    kParens  // followed by a parenthesised list of items
  };

  ParamObj(Kind kind, std::string name, int line, int column);
  ~ParamObj();
  ParamObj(const ParamObj&) = delete;
  ParamObj& operator=(const ParamObj&) = delete;

  // Building, used by the command parser.
  void SetForm(Form form) { fForm = form; }
  void SetNumber(double value) { fNumber = value; }
  // Takes ownership of the item.
  ParamObj& AddItem(std::unique_ptr<ParamObj> item);

  Kind GetKind() const { return fKind; }
  Form GetForm() const { return fForm; }
  int GetLine() const { return fLine; }
  int GetColumn() const { return fColumn; }
  double GetNumber() const { return fNumber; }
  std::size_t GetItemCount() const { return fItems.size(); }
  // The item at a position, or null when out of range. The parameter owns it.
  const ParamObj* GetItem(std::size_t index) const;

  // Keywords and words in upper case; variable names, numbers (as written) and the contents of
  // strings unchanged.
  const std::string& getParamName() const { return fName; }
  // True when the item was written alone, with neither "=" nor parentheses after it.
  bool isLeadingToken() const { return fForm == Form::kBare; }

  // Readers. Each returns false, and leaves its output unchanged, when the value does not have
  // the form asked for.
  // The names of a value made only of variables (at least one).
  bool getVarList(std::vector<std::string>& names) const;
  // The name of a value made of exactly one variable.
  bool getVarName(std::string& name) const;
  // The nested keywords of the value, each known to `descriptor` (any keyword when it is null).
  // A parameter written alone has an empty list and reads successfully.
  bool getStringQualList(const ParamDescriptor* descriptor,
                         std::vector<const ParamObj*>& list) const;
  // The one item of the value, whatever its kind. The parameter owns it.
  bool getStringAndQual(const ParamObj*& item) const;
  // True when the value is one keyword value (or keyword written alone) or string equal to
  // `text`, ignoring case.
  bool isStringValueCase(const std::string& text) const;
  // The value when it is one whole number within the range of int.
  bool getIntegerValue(int& value) const;
  // The value when it is one number.
  bool getNumberValue(double& value) const;

  // The parameter of that name (any case) in `list`, or null.
  static const ParamObj* getParamObj(const std::string& name,
                                     const std::vector<const ParamObj*>& list);

private:
  const ParamObj* SingleItem() const;

  Kind fKind;
  Form fForm = Form::kBare;
  std::string fName;
  int fLine;
  int fColumn;
  double fNumber = 0.0;
  std::vector<std::unique_ptr<ParamObj>> fItems;
};
