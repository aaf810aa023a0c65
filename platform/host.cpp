#include "platform/host.h"

namespace {

PlatformHost host;
bool hostSet = false;

}  // namespace

void SetPlatformHost(const PlatformHost& newHost) {
    host = newHost;
    hostSet = true;
}

const PlatformHost* Host() {
    return hostSet ? &host : nullptr;
}
