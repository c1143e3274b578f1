#pragma once

#include "shared/currency.h"

#include <QString>

// Numbers as the player reads them: the general number format with the user's decimal point.
QString testoNumero(Currency value);
QString testoNumero(double value);
