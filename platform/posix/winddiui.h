// The printer-driver user-interface header: the property-sheet host's records.
#pragma once

#include <compstui.h>
