// The program's version, shown by the splash and About windows.
#pragma once

#define VELQUIRA_VERSION "0.1.0"
