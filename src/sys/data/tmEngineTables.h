// tmEngineTables.h -- the content tables the engine reads, handed down by the program at start-up.
#pragma once

#include "sys/data/tmArchiveEntry.h"

// The generated content tables live a floor above the engine, so the engine never includes them: the program
// start (and the test support, for tests) fills this record once and registers it before any engine service
// runs. Until then every field is empty: banks fail to open and the resource cache has no slot names.
struct tmEngineTables {
    const tmBankInfo* dataBank = nullptr;     // external data tables (sys::tmExtDataBase)
    const tmBankInfo* shaderBank = nullptr;   // shader sources (tmShader)
    const char* const* modelNames = nullptr;  // default model slot names of the resource cache
    int modelNameCount = 0;
    const char* const* spriteNames = nullptr;  // default sprite slot names of the resource cache
    int spriteNameCount = 0;

    // Keeps a copy of the record; the tables it points to must outlive every engine service.
    static void Register(const tmEngineTables& tables);
    static const tmEngineTables& Get();
};
