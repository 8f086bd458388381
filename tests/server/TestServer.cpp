#include "TestServer.h"

#include <chrono>

bool WaitForText(const std::string& path, const std::string& text, int waitMs)
{
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(waitMs);
    while (ReadBytes(path).find(text) == std::string::npos) {
        if (std::chrono::steady_clock::now() > end)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
}

int64_t StockOf(COrderStore& store, const std::string& code)
{
    ProductRow product;
    return store.FindProduct(code, &product) ? product.stock : -1;
}

void CTestServer::SmallCatalogue(COrderStore& store)
{
    store.AddProduct({"1000001", "PARACETAMOL TABLETS 500MG", "32", 0.99, 100, false});
    store.AddProduct({"1000002", "IBUPROFEN TABLETS 200MG", "16", 1.49, 4, false});
    store.AddProduct({"1000003", "ASPIRIN TABLETS 75MG", "28", 0.79, 0, false});
    store.AddProduct({"1000004", "RANITIDINE TABLETS 150MG", "60", 2.10, 30, true});
    store.AddAccount({"4711", "Riverside Pharmacy", true, ""});
    store.AddAccount({"1002", "Market Street Pharmacy", false, "Closed on Monday"});
}

CTestServer::CTestServer(ServerOptions options, const Filler& fill, std::string updateMessage)
{
    options.address = "127.0.0.1";
    options.port = 0;
    options.dbPath = m_dir.Path("orders.db");
    if (!m_log.Open(m_dir.Path("orderd.log")))
        return;
    m_log.SetTracing(options.trace);
    auto store = std::make_unique<COrderStore>();
    std::string error;
    if (!store->Open(options.dbPath, &error))
        return;
    fill(*store);
    if (!m_reader.Open(options.dbPath, &error))
        return;
    m_worker = std::make_unique<CStoreWorker>(std::move(store), options.limits);
    m_server = std::make_unique<COrderServer>(options, *m_worker, m_log, std::move(updateMessage));
    if (!m_worker->Start() || !m_server->Listen(&error))
        return;
    m_port = m_server->Port();
    m_thread = std::thread([this] { m_server->Run(); });
}

CTestServer::~CTestServer()
{
    if (m_thread.joinable()) {
        m_server->Stop();
        m_thread.join();
    }
}
