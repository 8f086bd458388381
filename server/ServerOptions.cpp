#include "ServerOptions.h"

#include <cstdlib>
#include <cstring>

namespace {

bool ReadInt(const char* text, int low, int high, int* out)
{
    char* end = nullptr;
    const long value = strtol(text, &end, 10);
    if (!*text || *end || value < low || value > high)
        return false;
    *out = static_cast<int>(value);
    return true;
}

bool ReadSize(const char* text, size_t* out)
{
    int value = 0;
    if (!ReadInt(text, 1, 10000000, &value))
        return false;
    *out = static_cast<size_t>(value);
    return true;
}

bool ReadVersion(const char* text, double* out)
{
    char* end = nullptr;
    *out = strtod(text, &end);
    return *text && !*end && *out > 0;
}

bool ReadSeconds(const char* text, int* ms)
{
    int seconds = 0;
    if (!ReadInt(text, 1, 86400, &seconds))
        return false;
    *ms = seconds * 1000;
    return true;
}

constexpr int kBig = 1000000;

struct Option {
    const char* name;
    bool (*apply)(ServerOptions&, const char* value); // null value for a switch
};

const Option kOptions[] = {
    {"--address", [](ServerOptions& o, const char* v) { o.address = v; return *v != 0; }},
    {"--port", [](ServerOptions& o, const char* v) { return ReadInt(v, 0, 65535, &o.port); }},
    {"--tls-port", [](ServerOptions& o, const char* v) { return ReadInt(v, 0, 65535, &o.tlsPort); }},
    {"--cert", [](ServerOptions& o, const char* v) { o.certFile = v; return *v != 0; }},
    {"--key", [](ServerOptions& o, const char* v) { o.keyFile = v; return *v != 0; }},
    {"--db", [](ServerOptions& o, const char* v) { o.dbPath = v; return *v != 0; }},
    {"--catalogue", [](ServerOptions& o, const char* v) { return ReadSize(v, &o.catalogueSize); }},
    {"--log", [](ServerOptions& o, const char* v) { o.logPath = v; return *v != 0; }},
    {"--trace", nullptr},
    {"--close-as-protocol", nullptr},
    {"--update-file", [](ServerOptions& o, const char* v) { o.updateFile = v; return *v != 0; }},
    {"--update-version", [](ServerOptions& o, const char* v) { return ReadVersion(v, &o.updateVersion); }},
    {"--idle-timeout", [](ServerOptions& o, const char* v) { return ReadSeconds(v, &o.idleTimeoutMs); }},
    {"--exchange-timeout", [](ServerOptions& o, const char* v) { return ReadSeconds(v, &o.exchangeTimeoutMs); }},
    {"--max-clients", [](ServerOptions& o, const char* v) { return ReadInt(v, 1, 60000, &o.maxClients); }},
    {"--max-per-address", [](ServerOptions& o, const char* v) { return ReadInt(v, 1, 60000, &o.maxPerAddress); }},
    {"--max-order-lines", [](ServerOptions& o, const char* v) { return ReadSize(v, &o.limits.maxLines); }},
    {"--orders-per-minute",
     [](ServerOptions& o, const char* v) { return ReadInt(v, 1, kBig, &o.limits.ordersPerMinute); }},
    {"--fault-drop-after",
     [](ServerOptions& o, const char* v) { return ReadInt(v, 1, kBig, &o.faults.dropAfterBlocks); }},
    {"--fault-nak-every", [](ServerOptions& o, const char* v) { return ReadInt(v, 1, kBig, &o.faults.nakEvery); }},
    {"--fault-delay-answer",
     [](ServerOptions& o, const char* v) { return ReadInt(v, 1, 600000, &o.faults.delayAnswerMs); }},
    {"--fault-corrupt-every",
     [](ServerOptions& o, const char* v) { return ReadInt(v, 1, kBig, &o.faults.corruptEvery); }},
    {"--fault-silent", nullptr},
    {"--fault-garbage", [](ServerOptions& o, const char* v) { return ReadInt(v, 1, 4096, &o.faults.garbageBytes); }},
};

void ApplySwitch(const char* name, ServerOptions* options)
{
    if (strcmp(name, "--trace") == 0)
        options->trace = true;
    else if (strcmp(name, "--close-as-protocol") == 0)
        options->closeAsProtocol = true;
    else
        options->faults.silentAfterBid = true;
}

} // namespace

const char* ServerUsage()
{
    return "Usage: orderd [options]\n"
           "  --address A            listen address (default 127.0.0.1)\n"
           "  --port N               TCP port, 0 for any free one (default 7410)\n"
           "  --tls-port N           a second port for TLS, 0 for any free one (none by default)\n"
           "  --cert PATH            the TLS port's certificate chain, PEM, the server's first\n"
           "  --key PATH             the TLS port's private key, PEM\n"
           "  --db PATH              SQLite database, created and seeded on first start (default orderd.db)\n"
           "  --catalogue N          products in a newly seeded database (default 30000)\n"
           "  --log PATH             exchange log (default standard output)\n"
           "  --trace                also log every byte of every link\n"
           "  --close-as-protocol    send the further closing EOT only after the client's EOT, not\n"
           "                         together with the first (ends older clients 4 s later over a modem)\n"
           "  --update-file PATH     program file sent to clients older than --update-version\n"
           "  --update-version V     e.g. 1.7\n"
           "  --idle-timeout S       drop a client silent for S seconds (default 30)\n"
           "  --exchange-timeout S   drop an exchange that takes longer (default 120)\n"
           "  --max-clients N        connections served at once (default 1000); when all are taken\n"
           "                         the one longest without progress makes way for a newcomer\n"
           "  --max-per-address N    connections from one address at once (default 20)\n"
           "  --max-order-lines N    longer orders are refused whole (default 2000)\n"
           "  --orders-per-minute N  orders stored for one account from one address in any minute\n"
           "                         (default 10); a refused order is answered, every line kept\n"
           "Fault injection, for testing clients (all off by default):\n"
           "  --fault-drop-after N   close the connection once N blocks have arrived\n"
           "  --fault-nak-every K    refuse every K-th block that arrives\n"
           "  --fault-delay-answer MS  hold each acknowledgement of a message for MS ms (provokes WACK)\n"
           "  --fault-corrupt-every K  spoil the check character of every K-th block sent\n"
           "  --fault-silent         never answer once the client has bid\n"
           "  --fault-garbage N      send N bytes of line noise before each control sequence and block\n"
           "  --help                 this text\n";
}

OptionsResult ParseServerOptions(int argc, const char* const* argv, ServerOptions* options, std::string* error)
{
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        if (strcmp(arg, "--help") == 0 || strcmp(arg, "-h") == 0)
            return OptionsResult::Help;
        const Option* found = nullptr;
        for (const Option& option : kOptions)
            if (strcmp(arg, option.name) == 0)
                found = &option;
        if (!found) {
            *error = std::string("unknown option ") + arg;
            return OptionsResult::Error;
        }
        if (!found->apply) {
            ApplySwitch(arg, options);
            continue;
        }
        if (i + 1 >= argc || !found->apply(*options, argv[i + 1])) {
            *error = std::string("bad or missing value for ") + arg;
            return OptionsResult::Error;
        }
        ++i;
    }
    if ((options->tlsPort >= 0) != (!options->certFile.empty() && !options->keyFile.empty())) {
        *error = "--tls-port needs --cert and --key, and they need it";
        return OptionsResult::Error;
    }
    if (!options->updateFile.empty() && options->updateVersion <= 0) {
        *error = "--update-file needs --update-version";
        return OptionsResult::Error;
    }
    return OptionsResult::Run;
}
