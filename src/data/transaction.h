#pragma once

#include "data/result.h"

// A transaction on the program's connection that rolls back unless committed.
class Transaction {
public:
    Transaction() = default;
    ~Transaction();
    Transaction(const Transaction &) = delete;
    Transaction &operator=(const Transaction &) = delete;

    Status begin();
    Status commit();
    void rollback();
    bool isActive() const { return m_active; }

private:
    bool m_active = false;
};
