#pragma once
#include <cstddef>
#include <string>

#include "FaultPlan.h"
#include "OrderDesk.h"

struct ServerOptions {
    std::string address = "127.0.0.1";
    int port = 7410;                // 0: any free port, printed at start
    int tlsPort = -1;               // the TLS port beside it, -1 for none, 0 for any free one
    std::string certFile;           // the TLS port's certificate chain (PEM, the server's first)
    std::string keyFile;            // and its private key (PEM)
    std::string dbPath = "orderd.db";
    size_t catalogueSize = 30000;   // products seeded into a new database
    std::string logPath;            // empty: standard output
    bool trace = false;             // every byte of every link into the log
    // Our further closing EOT only once the client has answered our first,
    // as the link procedure has it; else both go at once, which ends a
    // client's link without its two-second EOT timer.
    bool closeAsProtocol = false;
    std::string updateFile;         // program file pushed to older clients
    double updateVersion = 0;       // clients older than this get the update
    int idleTimeoutMs = 30000;      // no byte from the client for this long: drop it
    int exchangeTimeoutMs = 120000; // a whole exchange may not take longer
    int maxClients = 1000;
    int maxPerAddress = 20;         // connections from one address at once
    DeskLimits limits;
    FaultPlan faults;
};

enum class OptionsResult { Run, Help, Error };

// Reads the command line; error receives the reason for Error.
OptionsResult ParseServerOptions(int argc, const char* const* argv, ServerOptions* options, std::string* error);
const char* ServerUsage();
