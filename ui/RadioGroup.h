// A group box of radio items in one column, read and set by item index (-1: none chosen).
#pragma once

class QGroupBox;

namespace radio_group {

int itemIndex(const QGroupBox& group);

// Chooses the item at index; any index outside the items clears the choice.
void setItemIndex(QGroupBox& group, int index);

// The keyboard of a radio group: one Tab stop, on the chosen item (the first when none is);
// the arrow keys move to the neighbouring enabled item and choose it, as a click does.
void useGroupKeys(QGroupBox& group);

} // namespace radio_group
