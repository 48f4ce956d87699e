// The report's sinks, fed together.
#include "ReportSinks.h"

void ReportSinks::OpenHeading(const output::Heading& heading) {
  report->OpenHeading(heading);
  if (chartFiles)
    chartFiles->OpenHeading(heading);
}

void ReportSinks::CloseHeading(const output::Heading& heading) {
  report->CloseHeading(heading);
  if (chartFiles)
    chartFiles->CloseHeading(heading);
}

void ReportSinks::Leaf(const output::Item& item) {
  report->Leaf(item);
  if (chartFiles)
    chartFiles->Leaf(item);
}
