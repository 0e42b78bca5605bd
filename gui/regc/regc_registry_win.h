// RegcRegistryStore: the settings store on Windows, the registry itself (advapi32) with the
// system's descriptions of result codes (kernel32 FormatMessageA). It is the platform store
// there; the accessor lets tests run the same cases against it and against a file store.
#ifndef TAVLO_GUI_REGC_REGISTRY_WIN_H
#define TAVLO_GUI_REGC_REGISTRY_WIN_H

#include "regc/regc_store.h"

RegcStore& RegcRegistryStore();

#endif
