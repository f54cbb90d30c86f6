// The toolbar pictures of the program, drawn by code: one for every key the
// toolbars use.
#pragma once

#include <string>
#include <vector>

#include "platform/CommonControls.h"

namespace kenvaron::plat {

// The keys of the pictures, in a fixed order.
const std::vector<std::string>& ChiaviIcone();
// An image list with every picture, lato pixels square.
void RiempiIcone(ImageList& lista, int lato = 24);

}  // namespace kenvaron::plat
