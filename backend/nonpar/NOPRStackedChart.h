// The base of the stacked bar charts of percentages (the binomial and Cochran's Q tests): one bar
// per category of a two-class comparison table, one segment per type, with a tooltip per bar.
#pragma once

#include "NOPROutputStats.h"

#include <memory>
#include <string>
#include <vector>

class FacSTDictionary;
class XDocument;

class NOPRStackedChart {
public:
  struct Data {
    const FacSTDictionary* fDictionary = nullptr;
    const NOPROutputStats* fStats = nullptr;
    std::string fTitleKey; // a key of the string table
  };

  NOPRStackedChart(const FacSTDictionary* dictionary, const NOPROutputStats* stats);
  virtual ~NOPRStackedChart();
  NOPRStackedChart(const NOPRStackedChart&) = delete;
  NOPRStackedChart& operator=(const NOPRStackedChart&) = delete;

  // Builds the chart and sends it to the output; true only when it was sent. Nothing is reported
  // when it cannot be built.
  bool createChart(std::string& subtitle, bool append);

  // The text shown for a category key (UTF-8).
  virtual std::string getCategoryValue(const std::string& categoryKey);
  // The text shown for a type of a category; with `escape`, in the form that may stand in a
  // specification's attribute.
  virtual std::string getTypeValue(const std::string& categoryKey, const std::string& typeKey,
                                   bool escape);
  // The test's condition parameters, or null.
  virtual const std::vector<NOPROutputStats::ParameterData>* getParameterData();
  virtual const NOPROutputStats::TSComparisonData* getTwoClassComparisonTable() = 0;
  virtual void modifyStringSpecification(std::string& specification);
  virtual void modifyDocSpecification(XDocument& document);

  void setTitleKey(std::string key) { fData->fTitleKey = std::move(key); }
  const FacSTDictionary* getDictionary() const { return fData->fDictionary; }
  const NOPROutputStats* getOutputStats() const { return fData->fStats; }

private:
  bool build(const std::string& subtitle, bool append);

  std::unique_ptr<Data> fData;
};
