#include "heif_fixtures.h"
