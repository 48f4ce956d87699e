// Notes: owned copies of cell texts.
#include "pivot/BpAnnotation.h"

BpAnnotation::BpAnnotation(const BpCellText& text) : fText(text.Clone()) {}

BpAnnotation::BpAnnotation(const BpAnnotation& other) : fText(other.fText->Clone()) {}

BpAnnotation& BpAnnotation::operator=(const BpAnnotation& other) {
  if (this != &other) {
    fText = other.fText->Clone();
  }
  return *this;
}

BpAnnotation::~BpAnnotation() = default;
