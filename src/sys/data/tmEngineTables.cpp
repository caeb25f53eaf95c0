// tmEngineTables.cpp -- the registered content tables.
#include "sys/data/tmEngineTables.h"

namespace {

tmEngineTables& Registered() {
    static tmEngineTables tables;
    return tables;
}

}  // namespace

void tmEngineTables::Register(const tmEngineTables& tables) { Registered() = tables; }

const tmEngineTables& tmEngineTables::Get() { return Registered(); }
