// The one-sample runs test: is the order of the cases random with respect to two groups (the
// cases at or below a cut point against those above it, or two sets of categories)?
#pragma once

#include "statxml/ResultDocumentWriter.h"

#include <vector>

namespace engine {

struct FieldColumn;
struct RunsRequest;
struct TestContext;

class RunsTest {
public:
  static void Write(const TestContext& context, const RunsRequest& request,
                    const FieldColumn& field, std::vector<ResultElement>& algorithms);
};

} // namespace engine
