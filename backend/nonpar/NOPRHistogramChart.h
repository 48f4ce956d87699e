// The base of the histograms of one field (the Kolmogorov-Smirnov and one-sample Wilcoxon test
// charts and the field information charts): the field's interval table as bars of counts.
#pragma once

#include "NOPROutputStats.h"

#include "chart/ChartString.h"

#include <cstddef>
#include <memory>
#include <string>

class FacSTDictionary;
class VarDataProcessor;
class XDocument;

class NOPRHistogramChart {
public:
  struct Data {
    const FacSTDictionary* fDictionary = nullptr;
    const NOPROutputStats* fStats = nullptr;
    ChartString fTitle;
    const NOPROutputStats::FieldDistributionData* fField = nullptr;
  };

  NOPRHistogramChart(const FacSTDictionary* dictionary, const NOPROutputStats* stats);
  virtual ~NOPRHistogramChart();
  NOPRHistogramChart(const NOPRHistogramChart&) = delete;
  NOPRHistogramChart& operator=(const NOPRHistogramChart&) = delete;

  // Builds the chart and sends it; true only when it was sent. Needs a field chosen by setFDD.
  virtual bool createChart(std::string& subtitle, bool append);
  // The table to draw: the field's table when the field is charted as continuous (not
  // categorical, or ordinal treated as continuous); otherwise null.
  virtual const NOPROutputStats::SimpleTableData* getIntervalTable();
  // One row per bin ("value", "count"); the number of rows. A table without exactly two rows of
  // one length gives none.
  virtual unsigned long getSource(VarDataProcessor& data);
  virtual void modifyStringSpecification(std::string& specification);
  virtual void modifyDocSpecification(XDocument& document);

  // Chooses the result set's field record at `index`; an index past the list changes nothing.
  void setFDD(std::size_t index);
  void setTitle(const ChartString& title) { fData->fTitle = title; }

  const FacSTDictionary* getDictionary() const { return fData->fDictionary; }
  const NOPROutputStats* getOutputStats() const { return fData->fStats; }
  const NOPROutputStats::FieldDistributionData* getFDD() const { return fData->fField; }
  // The chosen field's dictionary variable, or null.
  const VORN_Variable* getVORNVariable() const;

private:
  bool build(const std::string& subtitle, bool append);

  std::unique_ptr<Data> fData;
};
