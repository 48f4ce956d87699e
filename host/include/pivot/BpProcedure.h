// The root of one procedure's output: a top-level heading of the output document, the number
// formats of the procedure and the context that texts are translated and charts placed in.
#pragma once

#include "pivot/BpFormat.h"
#include "pivot/BpHeading.h"

#include <cstddef>
#include <memory>
#include <string>
#include <utility>

class ChartService;
class FacSTDictionary;
class VORN_DataSource;
namespace output {
class Chart;
class Document;
class Heading;
class Label;
class Message;
} // namespace output

// Made by the host over an output document for one procedure run and handed to the plug-in.
// The document, string table and data source are borrowed and must outlive every handle made
// from this procedure.
//
// Context without a handle: the plug-in issues messages (BpError) and sends charts with no
// pointer to the output. Each BpProcedure therefore registers itself, for its lifetime, on a
// stack of this thread; Current() is the innermost live procedure of the calling thread. This
// per-thread stack is the only state the builder keeps outside the handles.
class BpProcedure : public BpHeading {
public:
  // Appends a heading labelled with the translation of `titleKey` to `document`. `strings` may
  // be null (every key is then shown as itself and marked untranslated); `dataSource` may be
  // null (StdDev then uses three decimals).
  BpProcedure(output::Document& document, const FacSTDictionary* strings,
              const VORN_DataSource* dataSource,
              const std::string& titleKey = "Nonparametric Tests");
  // The same, with the procedure's heading under `parent` (a heading of `document` that the host
  // made, such as one naming the run's result documents) instead of at the top level.
  BpProcedure(output::Document& document, output::Heading& parent, const FacSTDictionary* strings,
              const VORN_DataSource* dataSource,
              const std::string& titleKey = "Nonparametric Tests");
  ~BpProcedure() override;
  BpProcedure(const BpProcedure&) = delete;
  BpProcedure& operator=(const BpProcedure&) = delete;

  // Number formats; docs/number-display.md shows how each one is written.
  static BpFormat Count();
  static BpFormat Significance();
  static BpFormat Coefficient();
  static BpFormat Percent();
  // A significance with its relation for a sentence: "= .289", "< .001" (the rule of
  // Significance()).
  static BpFormat PValue();
  // Exactly `decimals` decimals (0 to 16).
  static BpFormat Fixed(int decimals);
  // As many decimals as `value` needs (at most 10).
  static BpFormat SigDigit(double value);
  // An integer when `value` is whole, else three decimals.
  static BpFormat CountOrCoefficent(double value);
  // The decimals of the print format of the variable at `variableIndex` plus one; three when
  // there is no data source or no such variable.
  BpFormat StdDev(int variableIndex) const;

  // The innermost live procedure of the calling thread, or null.
  static BpProcedure* Current();

  // Places a chart (or a message) after everything already written under the most recently made
  // live heading of this procedure. Returns the placed item; null when the item is null or no
  // heading of the procedure is live. The host's own calls: the plug-in sends charts through the
  // chart service and messages through BpError.
  output::Chart* SendChart(std::unique_ptr<output::Chart> chart);
  // How many charts SendChart has placed so far: the number of charts under this procedure.
  std::size_t ChartsPlaced() const { return fChartsPlaced; }
  // Whether the charts placed are to be drawn: the output document's setting.
  bool ChartsDrawn() const;
  // Whether they are also drawn as printed figures: the output document's setting.
  bool PrintDrawings() const;
  // A line that the charts made from now on carry at the end of their footnote (a test's one-line
  // report, so that its chart stands alone when copied into a paper); empty for none.
  void SetChartNote(std::string note) { fChartNote = std::move(note); }
  const std::string& ChartNote() const { return fChartNote; }
  output::Message* SendMessage(std::unique_ptr<output::Message> message);

  // Translation through the procedure's string table, as cell texts are translated.
  output::Label Translate(const BpCellText& text) const;
  const FacSTDictionary* Strings() const { return fStrings; }
  const VORN_DataSource* DataSource() const { return fDataSource; }

  // The host's chart service (chart/ChartService.h) for the charts of this procedure, which find
  // it through Current(). Borrowed: it must outlive the procedure. The builder only keeps it.
  void SetChartService(ChartService* charts) { fCharts = charts; }
  ChartService* Charts() const { return fCharts; }

private:
  void Register(output::Document& document);

  const FacSTDictionary* fStrings;
  const VORN_DataSource* fDataSource;
  ChartService* fCharts = nullptr;
  std::size_t fChartsPlaced = 0;
  std::string fChartNote;
};
