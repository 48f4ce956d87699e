// The cases a /RELATED test is computed from: the named fields whose measurement level suits the
// test, and the cases (with their weights) valid in each of them.
#pragma once

#include <cstddef>
#include <vector>

namespace engine {

struct FieldColumn;
struct TestContext;

class RelatedCases {
public:
  enum class Kind { kRanked, kCategorical };

  // The fields of the command that fit `kind` (continuous or ordinal fields for rank tests,
  // categorical or ordinal fields for the category tests), in the order named.
  RelatedCases(const TestContext& context, Kind kind);

  std::size_t FieldCount() const { return fFields.size(); }
  const FieldColumn& Field(std::size_t j) const { return *fFields[j]; }
  // The fields' indexes in the document's dictionary.
  std::vector<double> DocumentIndexes() const;
  std::size_t CaseCount() const { return fCases.size(); }
  double Weight(std::size_t i) const { return fWeights[i]; }
  double Total() const { return fTotal; }
  // The value of field j in the i-th case, as the rank tests compare it: the number of a
  // continuous field; an ordinal field's category value (its position for text categories).
  double Value(std::size_t j, std::size_t i) const;
  // The category position of field j in the i-th case.
  int Position(std::size_t j, std::size_t i) const;

private:
  std::vector<const FieldColumn*> fFields;
  std::vector<std::size_t> fCases;
  std::vector<double> fWeights;
  double fTotal = 0;
};

} // namespace engine
