#include "ui/Savechng.h"

#include "ui/Glyphs.h"
#include "ui/PixelFonts.h"

#include <QCloseEvent>
#include <QWindow>

namespace {

// Frame and caption bar included.
constexpr QSize kOuterSize(355, 117);

} // namespace

TfSaveChanges::TfSaveChanges(QWidget* parent)
    : QDialog(parent)
{
    setupUi(this);

    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint
        | Qt::WindowCloseButtonHint);
    setFont(pixelFont(11, false));
    for (QWidget* bold :
        { static_cast<QWidget*>(Label1), static_cast<QWidget*>(Button1), static_cast<QWidget*>(BitBtn1) })
        bold->setFont(pixelFont(9, true));
    glyphs::putGlyph(*Button1, glyphs::Kind::Ok);
    glyphs::putGlyph(*BitBtn1, glyphs::Kind::Cancel);

    connect(Button1, &QPushButton::clicked, this, [this] { done(mrYes); });
    connect(BitBtn1, &QPushButton::clicked, this, [this] { done(mrNo); });
    connect(BitBtn2, &QPushButton::clicked, this, [this] { done(mrCancel); });
}

void TfSaveChanges::reject()
{
    BitBtn1->click();
}

void TfSaveChanges::closeEvent(QCloseEvent* event)
{
    // A close that no button answered came from the close box.
    if (result() == 0)
        setResult(mrCancel);
    event->accept();
}

void TfSaveChanges::showEvent(QShowEvent* event)
{
    setResult(0);
    QDialog::showEvent(event);
    const QMargins frame = windowHandle() != nullptr ? windowHandle()->frameMargins() : QMargins();
    resize(kOuterSize.width() - frame.left() - frame.right(), kOuterSize.height() - frame.top() - frame.bottom());
}
