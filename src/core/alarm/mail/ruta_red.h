#pragma once
// Whether the network can reach a server at all, asked before a send so that a machine
// without a network fails at once instead of waiting for time-outs.
#include <QString>

namespace miravela {

// True when the name resolves and the system has a route to one of its addresses. No
// packet is sent; a server on this machine always counts.
bool HayRutaHacia(const QString& host);

}  // namespace miravela
