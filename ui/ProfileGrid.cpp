#include "ui/ProfileGrid.h"

#include "ui/Cp1250Input.h"

#include <QAction>
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

void clearSelectedCells(QTableWidget& grid)
{
    for (QTableWidgetItem* item : grid.selectedItems()) {
        if (item->row() != kHeaderRow)
            item->setText(QString());
    }
}

} // namespace

void setUpProfileGrid(QTableWidget& grid)
{
    // Delete on the table, not in an open cell editor (which keeps the key for its text).
    auto* clear = new QAction(&grid);
    clear->setShortcut(QKeySequence::Delete);
    clear->setShortcutContext(Qt::WidgetShortcut);
    QObject::connect(clear, &QAction::triggered, &grid, [&grid] { clearSelectedCells(grid); });
    grid.addAction(clear);
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
