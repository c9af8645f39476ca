#include "teachin/WarnOptimum.h"

bool WarnOptimum = true;

void rearmWarnOptimum() {
    WarnOptimum = true;
}
