// Names of the capability numbers 1 .. 18, for the benchmark reports.
#pragma once

inline constexpr const char* kCapabilityNames[] = {
    "",
    "DC_FIELDS",
    "DC_PAPERS",
    "DC_PAPERSIZE",
    "DC_MINEXTENT",
    "DC_MAXEXTENT",
    "DC_BINS",
    "DC_DUPLEX",
    "DC_SIZE",
    "DC_EXTRA",
    "DC_VERSION",
    "DC_DRIVER",
    "DC_BINNAMES",
    "DC_ENUMRESOLUTIONS",
    "DC_FILEDEPENDENCIES",
    "DC_TRUETYPE",
    "DC_PAPERNAMES",
    "DC_ORIENTATION",
    "DC_COPIES",
};
