// External data tables.
#include "sys/data/tmExtDataBase.h"

#include <cstdio>
#include <string>
#include <unordered_map>

#include "format/ExtDbText.h"
#include "sys/base/tmMemory.h"
#include "sys/data/tmArchiver.h"
#include "sys/data/tmEngineTables.h"

namespace sys {
namespace {

const tmBankInfo* g_bank = nullptr;

// The bank a test set, else the data-table bank registered at start-up (null when none is).
const tmBankInfo* Bank() { return g_bank ? g_bank : tmEngineTables::Get().dataBank; }

// Reads one file of the data-table bank into rows; no rows when absent.
std::vector<tmExtDataBase::Row> ReadRows(const std::string& file) {
    std::vector<tmExtDataBase::Row> rows;
    std::string text;
    {
        tmArchiver bank;
        const tmBankInfo* from = Bank();
        if (!from || !bank.Open(*from) || !bank.ReadInto(file.c_str(), &text)) return rows;
    }
    std::vector<zfmt::ExtDbRow> parsed = zfmt::ParseExtDbText(text.data(), text.size());
    rows.resize(parsed.size());
    for (std::size_t i = 0; i < parsed.size(); ++i) {
        rows[i].key = parsed[i].key;
        rows[i].value = parsed[i].value;
    }
    return rows;
}

std::string MakeKey(const char* a, const char* b, const char* c) {
    return zfmt::ExtDbKey(a ? a : "", b ? b : "", c ? c : "");
}

}  // namespace

template <class T>
void tmExtDataBase::Deleter::operator()(T* p) const {
    TM_DELETE(p);
}

tmExtDataBase::tmExtDataBase() = default;
tmExtDataBase::~tmExtDataBase() = default;

void tmExtDataBase::SetBank(const tmBankInfo* bank) { g_bank = bank; }

void tmExtDataBase::Load(const char* name, bool keepBase, bool allowBase) {
    std::string table = name ? name : "";
    index_.reset();
    rows_.clear();
    baseCopy_.reset();
    rowCount_ = 0;
    name_.Assign(table.c_str());
    tablePath_ = zfmt::ExtDbTableFile(table);
    if (!Bank())
        std::fprintf(stderr, "data: no data-table bank is registered (tmEngineTables); table %s is empty\n",
                     table.c_str());

    std::vector<Row> overrides = ReadRows(zfmt::ExtDbOverrideFile(table));
    std::vector<Row> rows = ReadRows(zfmt::ExtDbTableFile(table));
    rowCount_ = static_cast<int>(rows.size());
    if (allowBase && keepBase) baseCopy_.reset(TM_NEW std::vector<Row>(rows));

    // The first override row of each key replaces the table rows of that key.
    std::unordered_map<std::string, std::size_t> firstOverride;
    for (std::size_t i = 0; i < overrides.size(); ++i) firstOverride.emplace(overrides[i].key.GetString(), i);

    rows_ = std::move(rows);
    for (Row& row : rows_) {
        auto it = firstOverride.find(row.key.GetString());
        if (it != firstOverride.end()) row = overrides[it->second];
    }
    index_.reset(TM_NEW tmMap(16, 128));
    for (Row& row : rows_) index_->Insert(row.key.GetString(), &row);  // the first row of a key wins
}

const tmExtDataBase::Row* tmExtDataBase::FindRow(const char* a, const char* b, const char* c) const {
    if (!index_) return nullptr;
    tmMapNode* node = index_->Find(MakeKey(a, b, c).c_str());
    return node ? static_cast<const Row*>(node->value) : nullptr;
}

int tmExtDataBase::GetInt(const char* a, const char* b, const char* c) const {
    const Row* row = FindRow(a, b, c);
    return row ? row->value.GetInt() : 0;
}

float tmExtDataBase::GetFloat(const char* a, const char* b, const char* c) const {
    const Row* row = FindRow(a, b, c);
    return row ? row->value.GetFloat() : 0.0f;
}

const char* tmExtDataBase::GetString(const char* a, const char* b, const char* c) const {
    const Row* row = FindRow(a, b, c);
    const char* text = row ? row->value.GetString() : nullptr;
    return text ? text : "";
}

bool tmExtDataBase::Exists(const char* a, const char* b, const char* c) const { return FindRow(a, b, c) != nullptr; }

// ---- Manager ----

tmExtDataBase::Manager::Manager(bool allowBase) : tables_(16, 128), allowBase_(allowBase) {}

tmExtDataBase::Manager::~Manager() {
    std::vector<tmExtDataBase*> all;
    for (tmMapNode* n = tables_.First(); n; n = tables_.Next(n)) all.push_back(static_cast<tmExtDataBase*>(n->value));
    tables_.Clear();
    for (tmExtDataBase* t : all) TM_DELETE(t);
}

tmExtDataBase::Manager& tmExtDataBase::Manager::GetInstance() {
    static Manager instance(true);
    return instance;
}

tmExtDataBase* tmExtDataBase::Manager::Load(const char* name, bool keepBase) {
    if (!name) name = "";
    if (tmExtDataBase* table = Find(name)) return table;
    tmExtDataBase* table = TM_NEW tmExtDataBase;
    table->Load(name, keepBase, allowBase_);
    // Keyed by the table's own copy of the name, not the caller's text.
    tables_.Insert(table->GetName(), table);
    return table;
}

tmExtDataBase* tmExtDataBase::Manager::Find(const char* name, bool /*flag*/) const {
    tmMapNode* node = tables_.Find(name ? name : "");
    return node ? static_cast<tmExtDataBase*>(node->value) : nullptr;
}

void tmExtDataBase::Manager::Unload(const char* name) {
    tmExtDataBase* table = Find(name);
    if (!table) return;
    tables_.Erase(table->GetName());
    TM_DELETE(table);
}

}  // namespace sys
