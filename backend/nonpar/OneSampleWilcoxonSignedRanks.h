// The one-sample Wilcoxon signed rank test's chart: the test field's histogram with guides and
// framed labels at the hypothesized and the observed median.
#pragma once

#include "NOPRHistogramChart.h"

class OneSampleWilcoxonSignedRanks : public NOPRHistogramChart {
public:
  struct WData {
    const FacSTDictionary* fDictionary = nullptr;
    const NOPROutputStats::HTOWilcoxonSignedRanks* fTest = nullptr;
    const VORN_Variable* fVariable = nullptr; // set when the specification is edited
  };

  // `test` is borrowed from the result set.
  OneSampleWilcoxonSignedRanks(const FacSTDictionary* dictionary, const NOPROutputStats* stats,
                               const NOPROutputStats::HTOWilcoxonSignedRanks* test);
  ~OneSampleWilcoxonSignedRanks() override;

  void modifyStringSpecification(std::string& specification) override;
  void modifyDocSpecification(XDocument& document) override;

private:
  void addMedianGuides(XDocument& document);
  // A median's label: the string table's text of `key` and the median in the field's format.
  ChartString medianLabel(const char* key, double median) const;
  // A median as the x of a guide: a number, or a date for a date field.
  ChartString guideValue(double median) const;

  std::unique_ptr<WData> fWData;
};
