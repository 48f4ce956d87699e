// The Hodges-Lehmann estimate of the shift between two independent samples: the median of the
// differences (second group minus first) and its large-sample confidence interval.
#pragma once

#include "statxml/ResultDocumentWriter.h"

namespace engine {

class GroupedCases;
struct FieldColumn;
struct TestContext;

class HodgesLehmannGroupsTest {
public:
  static ResultElement Write(const TestContext& context, const GroupedCases& cases,
                             const FieldColumn& test, const FieldColumn& group);
};

} // namespace engine
