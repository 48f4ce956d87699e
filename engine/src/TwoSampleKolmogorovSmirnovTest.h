// The two-sample Kolmogorov-Smirnov test: the largest differences between the groups' empirical
// distribution functions, and Kolmogorov's limiting distribution of sqrt(n1 n2 / n) D.
#pragma once

#include "statxml/ResultDocumentWriter.h"

namespace engine {

class GroupedCases;
struct FieldColumn;
struct TestContext;

class TwoSampleKolmogorovSmirnovTest {
public:
  static ResultElement Write(const TestContext& context, const GroupedCases& cases,
                             const FieldColumn& test, const FieldColumn& group);
  // P(K > z) of Kolmogorov's distribution.
  static double KolmogorovUpper(double z);
};

} // namespace engine
