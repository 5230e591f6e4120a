// A group box of radio items in one column, read and set by item index (-1: none chosen).
#pragma once

class QGroupBox;

namespace radio_group {

int itemIndex(const QGroupBox& group);

// Chooses the item at index; any index outside the items clears the choice.
void setItemIndex(QGroupBox& group, int index);

} // namespace radio_group
