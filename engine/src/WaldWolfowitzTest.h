// The Wald-Wolfowitz runs test of two independent samples: runs of group membership in the pooled
// order, with the fewest and the most runs the ties between the groups allow.
#pragma once

#include "statxml/ResultDocumentWriter.h"

#include <utility>
#include <vector>

namespace engine {

class GroupedCases;
struct FieldColumn;
struct TestContext;

class WaldWolfowitzTest {
public:
  static ResultElement Write(const TestContext& context, const GroupedCases& cases,
                             const FieldColumn& test, const FieldColumn& group);
  // The fewest and the most runs over every order of the tied values, given per distinct value
  // (ascending) the weight of each group among its cases.
  static std::pair<double, double> MinMaxRuns(const std::vector<std::pair<double, double>>& blocks);
};

} // namespace engine
