#pragma once

#include <string_view>

namespace gara::anteprima {

// The preview's one page: HTML with its style and script inside, nothing
// fetched from elsewhere. It follows the content by Server-Sent Events on
// /eventi and asks the inspector at /ispeziona/METRO.
std::string_view pagina_html();

}  // namespace gara::anteprima
