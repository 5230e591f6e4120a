#include "ui/Savechng.h"

#include "platform/WindowManager.h"
#include "ui/Glyphs.h"
#include "ui/PixelFonts.h"
#include "ui/WindowPlacement.h"

#include <QCloseEvent>
#include <QShowEvent>
#include <QWindow>

namespace {

// Frame and caption bar included.
constexpr QSize kOuterSize(355, 117);

} // namespace

TfSaveChanges::TfSaveChanges(QWidget* parent)
    : QDialog(parent)
{
    setupUi(this);

    // Typed a dialog so that the toolkit names its owner to the window manager; shown to it as an
    // ordinary window with the sizeable frame and all three boxes (see showEvent).
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
        | Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
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

void TfSaveChanges::setOwner(QWidget& ownerWindow)
{
    owner = &ownerWindow;
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
    // Still unmapped here: what is set now is what the window manager sees when it maps it.
    if (QWindow* handle = windowHandle()) {
        if (owner != nullptr)
            handle->setTransientParent(owner->window()->windowHandle());
        window_manager::markAsNormalWindow(*handle);
    }
    if (!event->spontaneous()) {
        const QMargins frame = frameOf(*this);
        centreOnScreen(*this, kOuterSize.shrunkBy(frame), frame);
    }
    QDialog::showEvent(event);
}
