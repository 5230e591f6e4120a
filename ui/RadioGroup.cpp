#include "ui/RadioGroup.h"

#include <QGroupBox>
#include <QRadioButton>

namespace radio_group {
namespace {

// The items in the order they were laid out.
QList<QRadioButton*> items(const QGroupBox& group)
{
    return group.findChildren<QRadioButton*>(Qt::FindDirectChildrenOnly);
}

} // namespace

int itemIndex(const QGroupBox& group)
{
    const QList<QRadioButton*> all = items(group);
    for (qsizetype i = 0; i < all.size(); ++i) {
        if (all[i]->isChecked())
            return static_cast<int>(i);
    }
    return -1;
}

void setItemIndex(QGroupBox& group, int index)
{
    const QList<QRadioButton*> all = items(group);
    if (index >= 0 && index < all.size()) {
        all[index]->setChecked(true);
        return;
    }
    // Exclusive radio items never let go of their last tick on their own.
    for (QRadioButton* item : all) {
        item->setAutoExclusive(false);
        item->setChecked(false);
        item->setAutoExclusive(true);
    }
}

} // namespace radio_group
