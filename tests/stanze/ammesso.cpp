#include "../base/text.h"
#include "schedina.h"
#include <storage/schedina.h>
