// Size of a case value in OBS units.
#include "dict/OBS.h"

int ObsLength(int type) {
  if (type >= 0 && type <= 8)
    return 1;
  return (type + 7) / 8;
}
