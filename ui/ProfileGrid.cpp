#include "ui/ProfileGrid.h"

#include "ui/Cp1250Input.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QStyledItemDelegate>
#include <QTableWidget>

namespace {

constexpr int kHeaderRow = 0;

// Looks after the header row whatever items later code puts there.
class ProfileGridDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        if (index.row() == kHeaderRow)
            return nullptr;
        QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
        if (auto* line = qobject_cast<QLineEdit*>(editor))
            restrictToCp1250(*line);
        return editor;
    }

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        if (index.row() != kHeaderRow)
            return;
        option->backgroundBrush = option->palette.button();
        option->palette.setBrush(QPalette::Text, option->palette.buttonText());
        option->state &= ~(QStyle::State_Selected | QStyle::State_HasFocus);
    }
};

} // namespace

void setUpProfileGrid(QTableWidget& grid)
{
    grid.setItemDelegate(new ProfileGridDelegate(&grid));
    grid.horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid.verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    for (int column = 0; column < grid.columnCount(); ++column) {
        auto* header = new QTableWidgetItem;
        header->setFlags(Qt::ItemIsEnabled);
        grid.setItem(kHeaderRow, column, header);
    }
    grid.setCurrentCell(kHeaderRow + 1, 0);
}
