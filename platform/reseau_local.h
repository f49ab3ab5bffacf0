// What the network layer knows of this computer.
#pragma once

#include <QString>

namespace plateforme {

// The computer's own IPv4 address on its network (the first one that is not
// a loopback address), else its loopback address, else an empty text.
QString adresse_ip_locale();

}  // namespace plateforme
