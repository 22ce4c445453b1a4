#include "elements/HangWatch.h"

#include <cmath>

bool HangWatch::observe(bool alive, bool standing, NK::Vec2 centre) {
    if (!alive || standing) {
        // A standing or dead player never hangs.
        reset();
        return false;
    }
    const bool moved =
        std::fabs(centre.x - anchor.x) > stillReach || std::fabs(centre.y - anchor.y) > stillReach;
    if (!inAir || moved) {
        // A new stop, if it is one, is measured from here.
        inAir = true;
        still = 0;
        anchor = centre;
        return false;
    }
    ++still;
    return hanging();
}
