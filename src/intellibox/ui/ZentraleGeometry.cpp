#include "ZentraleGeometry.h"

#include "Twips.h"

namespace ZentraleGeometry {

int px(int value) { return twips(value); }
int toTwips(int pixels) { return pixelsToTwips(pixels); }

}  // namespace ZentraleGeometry
