// The forwarding screens of the gallery: each screen behind the options sheet's forwarding page.
#pragma once

#include "commands/gallery.h"
#include "host_context.h"

namespace vlmhost {

// The screens behind the forwarding page in the screen size at `sizeIndex`, each reached against
// the simulated network set up for it; the network's state and behaviour are as before afterwards.
void SaveForwardingScreens(HostContext& context, Gallery& gallery, int sizeIndex);

}  // namespace vlmhost
