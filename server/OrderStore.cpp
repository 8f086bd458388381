#include "OrderStore.h"

namespace {

const char* const kSchema = R"(
CREATE TABLE IF NOT EXISTS products(
    code TEXT PRIMARY KEY, description TEXT NOT NULL, size TEXT NOT NULL,
    price REAL NOT NULL, stock INTEGER NOT NULL, discontinued INTEGER NOT NULL) WITHOUT ROWID;
CREATE TABLE IF NOT EXISTS accounts(
    account TEXT PRIMARY KEY, name TEXT NOT NULL, show_price INTEGER NOT NULL,
    memo TEXT NOT NULL) WITHOUT ROWID;
CREATE TABLE IF NOT EXISTS orders(
    number INTEGER PRIMARY KEY AUTOINCREMENT, account TEXT NOT NULL, received INTEGER NOT NULL,
    client_version REAL NOT NULL, digest INTEGER NOT NULL, message TEXT NOT NULL,
    notes TEXT NOT NULL, reply TEXT NOT NULL DEFAULT '', confirmed INTEGER NOT NULL DEFAULT 0);
CREATE INDEX IF NOT EXISTS orders_by_account ON orders(account, number);
DROP INDEX IF EXISTS orders_by_digest; -- a resend is looked for only as the account's latest order
CREATE TABLE IF NOT EXISTS order_lines(
    number INTEGER NOT NULL REFERENCES orders(number), line INTEGER NOT NULL, code TEXT NOT NULL,
    quantity INTEGER NOT NULL, status INTEGER NOT NULL, supplied INTEGER NOT NULL,
    PRIMARY KEY(number, line)) WITHOUT ROWID;
INSERT INTO sqlite_sequence(name, seq)
    SELECT 'orders', 100000 WHERE NOT EXISTS (SELECT 1 FROM sqlite_sequence WHERE name = 'orders');
)";

} // namespace

int64_t OrderDigest(const std::string& message)
{
    uint64_t hash = 14695981039346656037ull;
    for (unsigned char c : message) {
        hash ^= c;
        hash *= 1099511628211ull;
    }
    return static_cast<int64_t>(hash >> 1);
}

COrderStore::~COrderStore()
{
    // close_v2 waits for the member statements, which are finalised after this body.
    sqlite3_close_v2(m_db);
}

bool COrderStore::Open(const std::string& path, std::string* error)
{
    if (sqlite3_open_v2(path.c_str(), &m_db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) != SQLITE_OK) {
        *error = m_db ? sqlite3_errmsg(m_db) : "out of memory";
        return false;
    }
    sqlite3_busy_timeout(m_db, 5000);
    // FULL: the reply tells the pharmacy what it will receive, so an order
    // must be on the disk before the reply leaves, even across a power cut.
    const bool ok = Exec("PRAGMA journal_mode=WAL") && Exec("PRAGMA synchronous=FULL") &&
                    Exec("PRAGMA foreign_keys=ON") && Exec(kSchema) && PrepareAll();
    if (!ok)
        *error = sqlite3_errmsg(m_db);
    return ok;
}

bool COrderStore::Exec(const char* sql)
{
    return sqlite3_exec(m_db, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
}

bool COrderStore::PrepareAll()
{
    return m_findAccount.Prepare(m_db, "SELECT name, show_price, memo FROM accounts WHERE account = ?") &&
           m_findProduct.Prepare(m_db, "SELECT description, size, price, stock, discontinued FROM products "
                                       "WHERE code = ?") &&
           m_setStock.Prepare(m_db, "UPDATE products SET stock = ? WHERE code = ?") &&
           m_findUnconfirmed.Prepare(m_db, "SELECT number, reply FROM (SELECT number, reply, digest, message, "
                                           "confirmed, received FROM orders WHERE account = ? "
                                           "ORDER BY number DESC LIMIT 1) WHERE digest = ? AND message = ? "
                                           "AND confirmed = 0 AND received >= ?") &&
           m_insertOrder.Prepare(m_db, "INSERT INTO orders(account, received, client_version, digest, message, "
                                       "notes) VALUES(?, ?, ?, ?, ?, ?)") &&
           m_insertLine.Prepare(m_db, "INSERT INTO order_lines(number, line, code, quantity, status, supplied) "
                                      "VALUES(?, ?, ?, ?, ?, ?)") &&
           m_setReply.Prepare(m_db, "UPDATE orders SET reply = ? WHERE number = ?") &&
           m_confirm.Prepare(m_db, "UPDATE orders SET confirmed = 1 WHERE number = ?") &&
           m_addProduct.Prepare(m_db, "INSERT OR REPLACE INTO products(code, description, size, price, stock, "
                                      "discontinued) VALUES(?, ?, ?, ?, ?, ?)") &&
           m_addAccount.Prepare(m_db, "INSERT OR REPLACE INTO accounts(account, name, show_price, memo) "
                                      "VALUES(?, ?, ?, ?)") &&
           m_countProducts.Prepare(m_db, "SELECT COUNT(*) FROM products") &&
           m_countOrders.Prepare(m_db, "SELECT COUNT(*) FROM orders") &&
           m_isConfirmed.Prepare(m_db, "SELECT confirmed FROM orders WHERE number = ?");
}

bool COrderStore::Check(bool ok)
{
    if (!ok)
        m_failed = true;
    return ok;
}

bool COrderStore::Begin()
{
    m_failed = false;
    return Check(Exec("BEGIN IMMEDIATE"));
}

bool COrderStore::Commit()
{
    if (m_failed || !Exec("COMMIT")) {
        Rollback();
        return false;
    }
    return true;
}

bool COrderStore::Savepoint()
{
    m_failed = false;
    return Check(Exec("SAVEPOINT one_order"));
}

bool COrderStore::ReleaseSavepoint()
{
    const bool kept = !m_failed;
    if (!kept)
        Exec("ROLLBACK TO one_order");
    m_failed = false;
    return Exec("RELEASE one_order") && kept;
}

void COrderStore::Rollback()
{
    if (!sqlite3_get_autocommit(m_db))
        Exec("ROLLBACK");
}

bool COrderStore::FindRow(CSqliteStatement& statement, const std::function<void()>& read)
{
    const int rc = statement.Step();
    if (rc == SQLITE_ROW)
        read();
    statement.Reset();
    Check(rc == SQLITE_ROW || rc == SQLITE_DONE);
    return rc == SQLITE_ROW;
}

bool COrderStore::FindAccount(const std::string& account, AccountRow* out)
{
    CSqliteStatement& row = m_findAccount.Bind(1, account);
    return FindRow(row, [&] {
        out->account = account;
        out->name = row.Text(0);
        out->showPrice = row.Int(1) != 0;
        out->memo = row.Text(2);
    });
}

bool COrderStore::FindProduct(const std::string& code, ProductRow* out)
{
    CSqliteStatement& row = m_findProduct.Bind(1, code);
    return FindRow(row, [&] {
        out->code = code;
        out->description = row.Text(0);
        out->size = row.Text(1);
        out->price = row.Real(2);
        out->stock = row.Int(3);
        out->discontinued = row.Int(4) != 0;
    });
}

bool COrderStore::SetStock(const std::string& code, int64_t stock)
{
    return Check(m_setStock.Bind(1, stock).Bind(2, code).Run());
}

bool COrderStore::FindUnconfirmed(const std::string& account, const std::string& message, int64_t since,
                                  int64_t* number, std::string* reply)
{
    CSqliteStatement& row =
        m_findUnconfirmed.Bind(1, account).Bind(2, OrderDigest(message)).Bind(3, message).Bind(4, since);
    return FindRow(row, [&] {
        *number = row.Int(0);
        *reply = row.Text(1);
    });
}

int64_t COrderStore::InsertOrder(const OrderRow& order)
{
    m_insertOrder.Bind(1, order.account).Bind(2, order.received).Bind(3, order.clientVersion);
    m_insertOrder.Bind(4, OrderDigest(order.message)).Bind(5, order.message).Bind(6, order.notes);
    if (!Check(m_insertOrder.Run()))
        return 0;
    return sqlite3_last_insert_rowid(m_db);
}

bool COrderStore::InsertLine(int64_t number, const OrderLineRow& line)
{
    m_insertLine.Bind(1, number).Bind(2, static_cast<int64_t>(line.line)).Bind(3, line.code);
    m_insertLine.Bind(4, line.quantity).Bind(5, static_cast<int64_t>(line.status)).Bind(6, line.supplied);
    return Check(m_insertLine.Run());
}

bool COrderStore::SetReply(int64_t number, const std::string& reply)
{
    return Check(m_setReply.Bind(1, reply).Bind(2, number).Run());
}

bool COrderStore::ConfirmOrder(int64_t number)
{
    return Check(m_confirm.Bind(1, number).Run());
}

bool COrderStore::AddProduct(const ProductRow& p)
{
    m_addProduct.Bind(1, p.code).Bind(2, p.description).Bind(3, p.size).Bind(4, p.price);
    m_addProduct.Bind(5, p.stock).Bind(6, static_cast<int64_t>(p.discontinued));
    return Check(m_addProduct.Run());
}

bool COrderStore::AddAccount(const AccountRow& a)
{
    m_addAccount.Bind(1, a.account).Bind(2, a.name).Bind(3, static_cast<int64_t>(a.showPrice)).Bind(4, a.memo);
    return Check(m_addAccount.Run());
}

int64_t COrderStore::Count(CSqliteStatement& statement)
{
    const int64_t n = statement.Step() == SQLITE_ROW ? statement.Int(0) : -1;
    statement.Reset();
    return n;
}

int64_t COrderStore::ProductCount()
{
    return Count(m_countProducts);
}

int64_t COrderStore::OrderCount()
{
    return Count(m_countOrders);
}

bool COrderStore::IsConfirmed(int64_t number)
{
    m_isConfirmed.Bind(1, number);
    return Count(m_isConfirmed) == 1;
}
