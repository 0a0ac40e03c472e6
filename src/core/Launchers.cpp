#include "Launchers.h"

LauncherTable Launchers;
