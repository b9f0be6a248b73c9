#pragma once
// An icon composed on the page's chroma key without soft edges. The key
// removes only its exact colour, so an edge pixel blended with it would stay
// as a pink fringe: each pixel is either the icon's own colour or exactly
// the key.
#include <cstdint>
#include <vector>

namespace vallora {

// `onBlack` and `onWhite` are the same icon drawn on black and on white
// (colour values, red in the lowest byte). Their difference gives each
// pixel's coverage: a pixel covered at least half is the icon's colour
// without the background mixed in, any other pixel is `keyColor`. Empty when
// the two pictures differ in size.
std::vector<int32_t> ComposeIconOnKey(const std::vector<int32_t>& onBlack,
                                      const std::vector<int32_t>& onWhite, int32_t keyColor);

}  // namespace vallora
