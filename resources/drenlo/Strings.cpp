// Drenlo's string table.
#include "resources/drenlo/Resource.h"
