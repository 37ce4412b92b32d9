#pragma once

#include "data/records.h"
#include "data/result.h"

#include <QList>

#include <optional>

// Statements on 操作员.
class OperatorStore {
public:
    // Every operator, in the order the table holds them.
    static Result<QList<OperatorRecord>> all();
    static Result<std::optional<OperatorRecord>> find(const QString &id);
    // The operator's permission flag, read from the table now; false when the
    // operator does not exist.
    static Result<bool> flag(const QString &id, int number);
    static Status insert(const OperatorRecord &op);
};
