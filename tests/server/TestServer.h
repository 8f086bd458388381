#pragma once
#include <functional>
#include <memory>
#include <string>
#include <thread>

#include "ExchangeLog.h"
#include "OrderServer.h"
#include "OrderStore.h"
#include "ServerOptions.h"
#include "StoreWorker.h"
#include "TempFolder.h"

// Waits until the file holds text; false when it doesn't within waitMs.
bool WaitForText(const std::string& path, const std::string& text, int waitMs = 3000);

// The product's stock; -1 when the store doesn't know it.
int64_t StockOf(COrderStore& store, const std::string& code);

// A real orderd on an ephemeral loopback port, in its own folder, running on
// its own thread until the test ends.
class CTestServer {
public:
    using Filler = std::function<void(COrderStore&)>;
    // A handful of products with every kind of stock, and accounts 4711 and 1002.
    static void SmallCatalogue(COrderStore& store);

    explicit CTestServer(ServerOptions options = ServerOptions(), const Filler& fill = SmallCatalogue,
                         std::string updateMessage = std::string());
    ~CTestServer();
    CTestServer(const CTestServer&) = delete;
    CTestServer& operator=(const CTestServer&) = delete;

    int Port() const { return m_port; }
    // The TLS port, when the options asked for one (0 chooses it).
    int TlsPort() const { return m_server ? m_server->TlsPort() : 0; }
    const CTempFolder& Dir() const { return m_dir; }
    // Read through a second connection to the database while the server runs.
    int64_t Stock(const std::string& code) const { return StockOf(m_reader, code); }
    int64_t OrderCount() const { return m_reader.OrderCount(); }
    std::string LogText() const { return ReadBytes(m_dir.Path("orderd.log")); }
    // The thread the server's event loop runs on.
    std::thread& LoopThread() { return m_thread; }
    // The server logs an exchange when its side of the link has ended, which
    // may be just after the client's side: waits until the log holds text.
    bool LogShows(const std::string& text) const { return WaitForText(m_dir.Path("orderd.log"), text); }

private:
    CTempFolder m_dir;
    CExchangeLog m_log;
    std::unique_ptr<CStoreWorker> m_worker;
    std::unique_ptr<COrderServer> m_server;
    std::thread m_thread;
    int m_port = 0;
    mutable COrderStore m_reader;
};
