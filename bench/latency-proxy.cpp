// itarnvale-latency-proxy --rtt MS PORT...: a latency relay for each loopback port, for the
// measuring scripts. Prints "PORT PROXYPORT" per port, then "ready", and relays until it is
// sent SIGTERM or SIGINT.
#include "LatencyProxy.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

int main(int argc, char** argv)
{
    int roundTripMs = -1;
    std::vector<int> ports;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--rtt") == 0 && i + 1 < argc)
            roundTripMs = std::atoi(argv[++i]);
        else if (std::atoi(argv[i]) > 0)
            ports.push_back(std::atoi(argv[i]));
        else
            roundTripMs = -1, ports.clear(), i = argc;
    }
    if (roundTripMs < 0 || ports.empty()) {
        std::fprintf(stderr, "usage: itarnvale-latency-proxy --rtt MS PORT...\n");
        return 2;
    }
    sigset_t stopping;
    sigemptyset(&stopping);
    sigaddset(&stopping, SIGTERM);
    sigaddset(&stopping, SIGINT);
    // Blocked before the relays' threads start, so they inherit the mask and sigwait gets it.
    pthread_sigmask(SIG_BLOCK, &stopping, nullptr);
    std::vector<std::unique_ptr<LatencyProxy>> relays;
    for (const int port : ports) {
        relays.push_back(std::make_unique<LatencyProxy>(port, roundTripMs));
        if (!relays.back()->isListening()) {
            std::fprintf(stderr, "itarnvale-latency-proxy: cannot listen\n");
            return 1;
        }
        std::printf("%d %d\n", port, relays.back()->port());
    }
    std::printf("ready\n");
    std::fflush(stdout);
    int signal = 0;
    sigwait(&stopping, &signal);
    return 0;
}
