// The registry double is header-only; the fuzz targets build this unit of it.
#include "tests/support/fake_registry.h"
