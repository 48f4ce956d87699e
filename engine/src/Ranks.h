// Midranks of weighted cases: what every rank test starts from. A case of weight w counts as w
// cases with its value, so ties are ranked as if the cases were written out one by one.
#pragma once

#include <cstddef>
#include <vector>

namespace engine {

struct RankedCases {
  // The midrank of each case, in the order of the values given.
  std::vector<double> fRanks;
  // Sum over the groups of tied values of t^3 - t, t the group's summed weight.
  double fTieTerm = 0;
  // Summed weight of all cases.
  double fTotal = 0;
  // The cases in the order of their values (ties in the order given).
  std::vector<std::size_t> fOrder;
};

class Ranks {
public:
  // `weights` empty means every case weighs 1.
  static RankedCases Midranks(const std::vector<double>& values,
                              const std::vector<double>& weights = {});
  // The order that sorts `values` ascending (stable for equal values): a radix sort of the
  // doubles' bits, linear in the values, beyond a few thousand of them.
  static std::vector<std::size_t> SortOrder(const std::vector<double>& values);
};

} // namespace engine
