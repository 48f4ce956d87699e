// The output document.
#include "output/Document.h"

namespace output {

Document::Document() = default;
Document::~Document() = default;

} // namespace output
