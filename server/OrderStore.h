#pragma once
#include <sqlite3.h>

#include <cstdint>
#include <functional>
#include <string>

#include "SqliteStatement.h"

struct ProductRow {
    std::string code;
    std::string description;
    std::string size;
    double price = 0;
    int64_t stock = 0;
    bool discontinued = false;
};

struct AccountRow {
    std::string account;
    std::string name;
    bool showPrice = true;
    std::string memo; // shown to the pharmacy with every reply; empty for none
};

struct OrderRow {
    std::string account;
    int64_t received = 0; // seconds since 1970
    double clientVersion = 0;
    std::string message;  // the order exactly as it arrived
    std::string notes;
};

struct OrderLineRow {
    int line = 0;
    std::string code;
    int64_t quantity = 0;
    int status = 0;
    int64_t supplied = 0;
};

// Catalogue, stock, accounts and received orders in one SQLite file.
// One thread uses a store at a time. Orders are written inside a savepoint
// of a transaction; a failed statement marks the store failed, and releasing
// the savepoint then undoes it instead: an order is stored whole or not at all.
class COrderStore {
public:
    COrderStore() = default;
    COrderStore(const COrderStore&) = delete;
    COrderStore& operator=(const COrderStore&) = delete;
    ~COrderStore();

    // Opens or creates the file and its tables (WAL journal, full sync).
    bool Open(const std::string& path, std::string* error);

    bool Begin();
    bool Commit();
    void Rollback();
    bool Savepoint();
    // Keeps the savepoint's work, or undoes it after a failure; true when kept.
    bool ReleaseSavepoint();
    bool Failed() const { return m_failed; }

    bool FindAccount(const std::string& account, AccountRow* out);
    bool FindProduct(const std::string& code, ProductRow* out);
    bool SetStock(const std::string& code, int64_t stock);
    // The account's newest order, when it has exactly this text, was stored
    // at or after since and its reply never confirmed: the same order sent
    // again after a lost reply. An older one is no resend: a standing order
    // may well be placed twice.
    bool FindUnconfirmed(const std::string& account, const std::string& message, int64_t since, int64_t* number,
                         std::string* reply);
    // Returns the new order number (they only ever increase), 0 on failure.
    int64_t InsertOrder(const OrderRow& order);
    bool InsertLine(int64_t number, const OrderLineRow& line);
    bool SetReply(int64_t number, const std::string& reply);
    bool ConfirmOrder(int64_t number);

    bool AddProduct(const ProductRow& product);
    bool AddAccount(const AccountRow& account);
    int64_t ProductCount();
    int64_t OrderCount();
    bool IsConfirmed(int64_t number);

private:
    bool Exec(const char* sql);
    bool PrepareAll();
    bool Check(bool ok);
    // Steps a bound lookup of one row; read takes its columns before the reset.
    bool FindRow(CSqliteStatement& statement, const std::function<void()>& read);
    int64_t Count(CSqliteStatement& statement);

    sqlite3* m_db = nullptr;
    bool m_failed = false;
    CSqliteStatement m_findAccount, m_findProduct, m_setStock, m_findUnconfirmed, m_insertOrder,
        m_insertLine, m_setReply, m_confirm, m_addProduct, m_addAccount, m_countProducts,
        m_countOrders, m_isConfirmed;
};

// FNV-1a over the order text: finds candidate resends without comparing every stored order.
int64_t OrderDigest(const std::string& message);
