// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Text inside an XML document (the SVG drawings): the characters that would
// end it or start markup written as entities.

#include <string>
#include <string_view>

namespace rp {

// `text` with &, <, > and " as &amp;, &lt;, &gt; and &quot;.
std::string XmlText(std::string_view text);

}  // namespace rp
