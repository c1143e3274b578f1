#include <sound/filewav.h>
