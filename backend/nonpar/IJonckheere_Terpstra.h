// The box plots of the Jonckheere-Terpstra test for ordered alternatives.
#pragma once

#include "Boxplot.h"

class IJonckheere_Terpstra : public Boxplot {
public:
  // The record is borrowed; null gives no chart.
  IJonckheere_Terpstra(const FacSTDictionary* strings, const NOPROutputStats* stats,
                       const NOPROutputStats::HTIJonckheereTerpstra* test);

  void modifyStringSpecification(std::string& text) override;
};
