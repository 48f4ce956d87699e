// The output document: the contract between the builders (pivot tables, charts, messages) and
// the writers (HTML, text, JSON). Writers read a const Document and everything reachable from it;
// every text in it is kept verbatim, so escaping is the writers' job. Include this header for
// the whole model.
#pragma once

#include "output/Category.h"
#include "output/Cell.h"
#include "output/Chart.h"
#include "output/Dimension.h"
#include "output/Heading.h"
#include "output/Item.h"
#include "output/Label.h"
#include "output/Message.h"
#include "output/Note.h"
#include "output/NumberFormat.h"
#include "output/OutlineSink.h"
#include "output/Table.h"

#include <memory>
#include <string>
#include <vector>

namespace output {

// Owns the tree. Not copyable; items never move, so pointers into it stay valid while the
// document lives, unless the document is written as it grows (StreamTo): then each item is freed
// once it has gone to the sink, and only held items (see Item::Hold) and what follows them stay.
class Document {
public:
  Document();
  ~Document();
  Document(const Document&) = delete;
  Document& operator=(const Document&) = delete;

  // Top-level items in output order (normally one heading per procedure run).
  const std::vector<std::unique_ptr<Item>>& Items() const { return fItems; }

  template <class T> T* Append(std::unique_ptr<T> item) {
    T* raw = item.get();
    if (raw != nullptr) {
      fItems.push_back(std::move(item));
    }
    return raw;
  }

  // Sends the whole document to `sink` in output order; nothing is freed.
  static void Walk(const Document& document, OutlineSink& sink);

  // Writes the document as it grows: from now on Settle() sends `sink` every item that can no
  // longer change, in output order, and frees it. An item can no longer change when it is not
  // held; a heading closes when it is not held and everything under it has gone. The sink must
  // outlive the document's streaming.
  void StreamTo(OutlineSink& sink) { fSink = &sink; }
  // Does nothing unless the document streams. Cheap when nothing is ready: it resumes where the
  // last call stopped.
  void Settle() { Advance(false); }
  // Sends all that is left, held or not: the builders are done. What is sent now stays in the
  // document until it goes, so a handle that outlives the finish stays valid; what it adds after
  // the finish is not sent, and the sink hears no more from the document.
  void Finish() {
    Advance(true);
    fSink = nullptr;
  }

  // The language of the string table the texts were translated with ("en", "de").
  const std::string& Language() const { return fLanguage; }
  void SetLanguage(std::string language) { fLanguage = std::move(language); }

  // Whether the chart service draws each chart it places (true unless set). A report whose
  // writers show no drawing (the text report names its charts) turns it off, so that no time goes
  // into drawings nobody reads; the charts keep their data and specification.
  bool ChartsDrawn() const { return fChartsDrawn; }
  void SetChartsDrawn(bool drawn) { fChartsDrawn = drawn; }
  // Whether each drawn chart is drawn a second time, laid out as a printed figure (false unless
  // set): the chart files are figures for papers.
  bool PrintDrawings() const { return fPrintDrawings; }
  void SetPrintDrawings(bool print) { fPrintDrawings = print; }

private:
  void Advance(bool all);

  std::vector<std::unique_ptr<Item>> fItems;
  // Streaming: the open headings from the top down, each with the index of its first item not yet
  // sent (the document's own list first, as a null heading).
  struct Open {
    Heading* heading;
    std::size_t next;
  };
  OutlineSink* fSink = nullptr;
  std::vector<Open> fOpen{{nullptr, 0}};
  std::string fLanguage = "en";
  bool fChartsDrawn = true;
  bool fPrintDrawings = false;
};

} // namespace output
