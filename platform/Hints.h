// Tooltips made from the comment blocks of profile.dat.
#pragma once

#include <string_view>

class QWidget;

namespace hints {

// Shows the Windows-1250 text as the control's tooltip literally, with its line breaks,
// even when it looks like markup; an empty text clears the tooltip.
void setHint(QWidget& control, std::string_view cp1250Text);

} // namespace hints
