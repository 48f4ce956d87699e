// The report's sinks, fed together.
#include "ReportSinks.h"

#include "MessageSink.h"

#include "output/Chart.h"
#include "output/Item.h"

void ReportSinks::OpenHeading(const output::Heading& heading) {
  report->OpenHeading(heading);
  if (chartFiles)
    chartFiles->OpenHeading(heading);
  const std::string& parent = fNumbers.back();
  fNumbers.push_back((parent.empty() ? "" : parent + ".") + std::to_string(++fCounts.back()));
  fCounts.push_back(0);
}

void ReportSinks::CloseHeading(const output::Heading& heading) {
  report->CloseHeading(heading);
  if (chartFiles)
    chartFiles->CloseHeading(heading);
  if (fNumbers.size() > 1) {
    fNumbers.pop_back();
    fCounts.pop_back();
  }
}

void ReportSinks::Leaf(const output::Item& item) {
  report->Leaf(item);
  if (chartFiles)
    chartFiles->Leaf(item);
  const output::Chart* chart = item.AsChart();
  if (chart == nullptr || chart->leftOut.empty())
    return;
  ++chartsLeftOut;
  if (warnings == nullptr)
    return;
  *warnings << "nptests: warning: the chart \"" << chart->title << "\" ";
  if (fNumbers.back().empty())
    *warnings << "of the report";
  else
    *warnings << "in section " << fNumbers.back();
  *warnings << " was left out: " << chart->leftOut << "\n";
}
