// The report's sinks, fed together.
#include "ReportSinks.h"

#include "MessageSink.h"

#include "output/Chart.h"
#include "output/Item.h"

void ReportSinks::OpenHeading(const output::Heading& heading) {
  report->OpenHeading(heading);
  if (chartFiles)
    chartFiles->OpenHeading(heading);
  fOutline.Open();
}

void ReportSinks::CloseHeading(const output::Heading& heading) {
  report->CloseHeading(heading);
  if (chartFiles)
    chartFiles->CloseHeading(heading);
  fOutline.Close();
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
  if (fOutline.Number().empty())
    *warnings << "of the report";
  else
    *warnings << "in section " << fOutline.Number();
  *warnings << " was left out: " << chart->leftOut << "\n";
}
