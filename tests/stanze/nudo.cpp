#include "filewav.h"
