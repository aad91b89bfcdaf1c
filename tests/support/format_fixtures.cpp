#include "format_fixtures.h"
