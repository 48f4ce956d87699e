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
#include "output/Table.h"

#include <memory>
#include <string>
#include <vector>

namespace output {

// Owns the whole tree. Not copyable; items never move, so pointers into it stay valid while the
// document lives.
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

  // The language of the string table the texts were translated with ("en", "de").
  const std::string& Language() const { return fLanguage; }
  void SetLanguage(std::string language) { fLanguage = std::move(language); }

private:
  std::vector<std::unique_ptr<Item>> fItems;
  std::string fLanguage = "en";
};

} // namespace output
