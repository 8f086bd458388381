// orderd: the supplier's order server. Answers the pharmacies' orders over
// TCP with the link protocol of the ordering program, against a SQLite store
// that it creates and fills with the demo catalogue on first start.
#include <csignal>
#include <cstdio>
#include <memory>
#include <string>

#include "DemoSeed.h"
#include "ExchangeLog.h"
#include "OrderServer.h"
#include "OrderStore.h"
#include "ServerOptions.h"
#include "StoreWorker.h"
#include "UpdateMessage.h"

namespace {

COrderServer* g_server = nullptr;

void OnSignal(int)
{
    if (g_server)
        g_server->Stop();
}

int Fail(const std::string& text)
{
    fprintf(stderr, "orderd: %s\n", text.c_str());
    return 1;
}

} // namespace

int main(int argc, char** argv)
{
    ServerOptions options;
    std::string error;
    switch (ParseServerOptions(argc, argv, &options, &error)) {
    case OptionsResult::Help:
        fputs(ServerUsage(), stdout);
        return 0;
    case OptionsResult::Error:
        fprintf(stderr, "orderd: %s\n%s", error.c_str(), ServerUsage());
        return 2;
    case OptionsResult::Run:
        break;
    }
    CExchangeLog log;
    if (!log.Open(options.logPath))
        return Fail("cannot open log " + options.logPath);
    log.SetTracing(options.trace);

    auto store = std::make_unique<COrderStore>();
    if (!store->Open(options.dbPath, &error))
        return Fail(options.dbPath + ": " + error);
    if (!SeedDemoData(*store, options.catalogueSize))
        return Fail(options.dbPath + ": cannot seed the demo catalogue");
    const long long products = static_cast<long long>(store->ProductCount());
    std::string update;
    if (!options.updateFile.empty() && !LoadUpdateMessage(options.updateFile, &update, &error))
        return Fail(error);

    CStoreWorker worker(std::move(store), options.limits);
    if (!worker.Start())
        return Fail("cannot start the store thread");
    COrderServer server(options, worker, log, std::move(update));
    if (!server.Listen(&error))
        return Fail(error);
    g_server = &server;
    signal(SIGINT, OnSignal);
    signal(SIGTERM, OnSignal);
    signal(SIGPIPE, SIG_IGN);
    log.Line("orderd listening on %s port %d; database %s with %lld products", options.address.c_str(),
             server.Port(), options.dbPath.c_str(), products);
    if (server.TlsPort() != 0)
        log.Line("orderd listening for TLS on %s port %d", options.address.c_str(), server.TlsPort());
    const bool ok = server.Run();
    g_server = nullptr;
    log.Line("orderd stopped");
    return ok ? 0 : Fail("event loop failed");
}
