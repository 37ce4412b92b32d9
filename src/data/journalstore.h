#pragma once

#include "data/records.h"
#include "data/result.h"

// Statements on 流水 and 收款记录, the two books every money operation writes to.
class JournalStore {
public:
    static Status insert(const JournalRecord &row);
    static Status insert(const CollectionRecord &row);
};
