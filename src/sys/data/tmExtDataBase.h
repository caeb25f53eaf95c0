// External data tables: text tables of the data-table bank, looked up by a three-part key.
#pragma once

#include <memory>
#include <vector>

#include "sys/base/tmMap.h"
#include "sys/base/tmString.h"
#include "sys/base/tmVariant.h"
#include "sys/data/tmArchiveEntry.h"

namespace sys {

// One table read into memory: its rows in file order and an index from each
// key "a,b,c" to the first row with that key. Created and owned by the
// Manager; readers (machine parameters, route tables, the course viewer)
// only look values up.
class tmExtDataBase {
public:
    struct Row {
        tmVariant key;
        tmVariant value;
    };

    tmExtDataBase();
    virtual ~tmExtDataBase();
    tmExtDataBase(const tmExtDataBase&) = delete;
    tmExtDataBase& operator=(const tmExtDataBase&) = delete;

    // Reads the table "data/Config/ExtDB_<name>.txt" and its ".user.txt"
    // override from the data-table bank; rows of the override replace table
    // rows of the same key. A table absent from the bank has no rows.
    // keepBase keeps a copy of the table's own rows when allowBase is set.
    void Load(const char* name, bool keepBase, bool allowBase = false);

    // Lookups; a null part counts as the empty text. Absent keys give 0, the
    // empty text or false.
    int GetInt(const char* a, const char* b, const char* c) const;
    float GetFloat(const char* a, const char* b, const char* c) const;
    const char* GetString(const char* a, const char* b, const char* c) const;
    bool Exists(const char* a, const char* b, const char* c) const;

    int GetRowCount() const { return rowCount_; }
    const char* GetTablePath() const { return tablePath_.GetString(); }
    bool HasBaseCopy() const { return baseCopy_ != nullptr; }
    // The table's name as the manager knows it (an owned copy).
    const char* GetName() const { return name_.GetText(); }

    // The bank the tables are read from; the data-table bank registered at
    // start-up (tmEngineTables) unless
    // a test points it elsewhere (null restores the default).
    static void SetBank(const tmBankInfo* bank);

    class Manager;

private:
    const Row* FindRow(const char* a, const char* b, const char* c) const;

    int rowCount_ = 0;
    std::vector<Row> rows_;  // never resized once indexed: the index points into it
    // Made with TM_NEW, released with TM_DELETE.
    struct Deleter {
        template <class T>
        void operator()(T* p) const;
    };
    std::unique_ptr<std::vector<Row>, Deleter> baseCopy_;
    std::unique_ptr<tmMap, Deleter> index_;
    tmVariant tablePath_;
    tmString name_;
};

// Loads each table once by name and keeps it until Unload or the end of the
// program. One per process (GetInstance); tests may make their own.
class tmExtDataBase::Manager {
public:
    explicit Manager(bool allowBase);
    virtual ~Manager();
    Manager(const Manager&) = delete;
    Manager& operator=(const Manager&) = delete;

    static Manager& GetInstance();

    // The table of that name, read on first use; later calls return the same
    // table and ignore keepBase. The manager keeps its own copy of the name.
    tmExtDataBase* Load(const char* name, bool keepBase);
    tmExtDataBase* Find(const char* name, bool flag = false) const;
    void Unload(const char* name);
    int GetCount() const { return tables_.GetCount(); }

private:
    tmMap tables_;  // table name (the table's own copy) -> table
    bool allowBase_;
};

}  // namespace sys
