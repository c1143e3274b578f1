#include "../sound/filewav.h"
