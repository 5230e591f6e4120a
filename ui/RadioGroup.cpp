#include "ui/RadioGroup.h"

#include <QEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QRadioButton>

#include <algorithm>

namespace radio_group {
namespace {

// The items in the order they were laid out.
QList<QRadioButton*> items(const QGroupBox& group)
{
    return group.findChildren<QRadioButton*>(Qt::FindDirectChildrenOnly);
}

// Only the chosen item takes the Tab key, so Tab enters the group on it and leaves after it.
void moveTabStop(const QGroupBox& group)
{
    const QList<QRadioButton*> all = items(group);
    const int stop = std::max(itemIndex(group), 0);
    for (qsizetype i = 0; i < all.size(); ++i)
        all[i]->setFocusPolicy(i == stop ? Qt::StrongFocus : Qt::ClickFocus);
}

class GroupKeys : public QObject {
public:
    explicit GroupKeys(QGroupBox& watchedGroup)
        : QObject(&watchedGroup)
        , group(watchedGroup)
    {
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        int step = 0;
        switch (static_cast<QKeyEvent*>(event)->key()) {
        case Qt::Key_Up:
        case Qt::Key_Left:
            step = -1;
            break;
        case Qt::Key_Down:
        case Qt::Key_Right:
            step = 1;
            break;
        default:
            return false;
        }
        // Round the group, past disabled items, as the classic desktop does.
        const QList<QRadioButton*> all = items(group);
        const auto size = all.size();
        qsizetype at = all.indexOf(static_cast<QRadioButton*>(watched));
        for (qsizetype tried = 1; tried < size; ++tried) {
            at = (at + step + size) % size;
            if (all[at]->isEnabled()) {
                all[at]->setFocus(Qt::TabFocusReason);
                all[at]->click();
                break;
            }
        }
        return true;
    }

private:
    QGroupBox& group;
};

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

void useGroupKeys(QGroupBox& group)
{
    auto* keys = new GroupKeys(group);
    for (QRadioButton* item : items(group)) {
        item->installEventFilter(keys);
        QObject::connect(item, &QRadioButton::toggled, keys, [&group] { moveTabStop(group); });
    }
    moveTabStop(group);
}

} // namespace radio_group
