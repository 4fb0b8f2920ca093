#pragma once
// The machine's restart, requested from the login manager. Linked only into the program
// itself, never into a test or a test driver: on a machine where the request is allowed
// (CI and development machines run as root) it would restart the machine at once.

namespace kavro {

// A non-interactive reboot request over the system bus; true when the login manager
// accepted it, false when it refused or could not be reached.
bool requestMachineRestart();

} // namespace kavro
