#include "ui/Koraxgui.h"

#include "platform/Cp1250.h"
#include "platform/Language.h"
#include "platform/MessageBoxes.h"
#include "platform/Texts.h"
#include "profile/OutputFileName.h"
#include "profile/TProfile.h"
#include "run/PlannerRun.h"
#include "ui/Cp1250Input.h"
#include "ui/DpiScale.h"
#include "ui/ErrorReport.h"
#include "ui/KoraxguiLook.h"
#include "ui/RadioGroup.h"
#include "ui/Savechng.h"
#include "ui/WindowPlacement.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QCloseEvent>
#include <QGroupBox>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QTabWidget>

namespace {

using keys::kProfileFileName;
constexpr int kHintHidePauseMs = 10000;
constexpr QSize kClientSize(550, 438);

// A cell editor still open holds text that its table does not have yet: every store first
// hands it over, so that what is written is what the user sees.
void commitOpenEditors(QWidget& window)
{
    for (QAbstractItemView* view : window.findChildren<QAbstractItemView*>()) {
        const QModelIndex cell = view->currentIndex();
        QWidget* editor = view->indexWidget(cell);
        if (editor == nullptr)
            continue;
        QAbstractItemDelegate* delegate = view->itemDelegateForIndex(cell);
        emit delegate->commitData(editor);
        emit delegate->closeEditor(editor);
    }
}

} // namespace

TfKoraxGUI::TfKoraxGUI(TfSaveChanges& saveChangesDialog, QWidget* parent)
    : QDialog(parent)
    , saveChanges(saveChangesDialog)
{
    setupUi(this);
    // An ordinary top-level window (in the taskbar), with the fixed frame and only a close box.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
        | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(kClientSize);
    applyKoraxguiLook(*this);
    restrictToCp1250(*this);
    connectHandlers();
    for (QGroupBox* group : { rgDeepStops, rgAlgorithm, rgUnits })
        radio_group::useGroupKeys(*group);
    saveChanges.setOwner(*this);
    errors::runReported(this, [this] { FormCreate(); });
}

TfKoraxGUI::~TfKoraxGUI() = default;

void TfKoraxGUI::connectHandlers()
{
    // Every handler runs through the application's error report.
    const auto reported = [this](void (TfKoraxGUI::*handler)()) {
        return [this, handler] { errors::runReported(this, [this, handler] { (this->*handler)(); }); };
    };
    // Check boxes click also when code changes their tick, so toggled stands for the click.
    connect(chbUseOCDeco, &QCheckBox::toggled, this, reported(&TfKoraxGUI::chbUseOCDecoClick));
    connect(chbDeepStops, &QCheckBox::toggled, this, reported(&TfKoraxGUI::chbDeepStopsClick));
    for (QRadioButton* item : rgDeepStops->findChildren<QRadioButton*>()) {
        connect(item, &QRadioButton::toggled, this, [chosen = reported(&TfKoraxGUI::chbDeepStopsClick)](bool on) {
            if (on)
                chosen();
        });
    }
    gbDeepStops->installEventFilter(this);
    connect(chbRepetitiveDives, &QCheckBox::toggled, this, reported(&TfKoraxGUI::chbRepetitiveDivesClick));
    connect(Button1, &QPushButton::clicked, this, reported(&TfKoraxGUI::Button1Click));
    connect(BitBtn1, &QPushButton::clicked, this, reported(&TfKoraxGUI::BitBtn1Click));
    connect(PageControl1, &QTabWidget::currentChanged, this, reported(&TfKoraxGUI::PageControl1Change));
}

void TfKoraxGUI::FormCreate()
{
    scaleOuterSize(*this, dpiScaleFactor(logicalDpiY()));
    setHintHidePause(*this, kHintHidePauseMs);
    platform::RegularRead status = platform::RegularRead::Unreadable;
    profileVersion = platform::readVersion(kProfileFileName, kProfileSizeLimit, status);
    if (!profileVersion)
        throw ProfileOpenError(kProfileFileName, status);
    profile = std::make_unique<TProfile>(kProfileFileName, profileVersion->bytes);
    LoadProfile(*profile);
    Button1->setEnabled(false);
}

void TfKoraxGUI::Button1Click()
{
    commitOpenEditors(*this);
    computePressed = 1;
    if (StoreProfile(*profile) != 1 || mayOverwriteProfile(false) != messages::Answer::yes)
        return;
    saveProfile();
    planner_run::runPlannerAndShowPlan(
        *this, chbRepetitiveDives->isChecked() && chbUpdateTissue->isChecked(), edOutputFile->text());
    ++runCounter;
    edOutputFile->setText(cp1250::toUnicode(outputFileName(runCounter, outputBaseName)));
}

void TfKoraxGUI::FormClose(TCloseAction& action)
{
    commitOpenEditors(*this);
    if (computePressed == 0) {
        switch (saveChanges.exec()) {
        case mrYes:
            if (!SaveProfileOnClose()) {
                action = TCloseAction::caNone;
                return;
            }
            break;
        case mrNo:
            break;
        default:
            action = TCloseAction::caNone;
            return;
        }
    } else if (!SaveProfileOnClose()) {
        action = TCloseAction::caNone;
        return;
    }
    if (chDeleteFiles->isChecked())
        planner_run::deleteOlderOutputs(runCounter, outputBaseName);
}

void TfKoraxGUI::BitBtn1Click()
{
    close();
}

bool TfKoraxGUI::SaveProfileOnClose()
{
    const QString numberedName = edOutputFile->text();
    edOutputFile->setText(QString::fromLatin1(keys::kClosingPlanFile));
    if (StoreProfile(*profile) != 1) {
        // Writing now would drop every edit after the refused setting: the window stays open
        // for the user to correct it, and the run numbering goes on.
        edOutputFile->setText(numberedName);
        return false;
    }
    switch (mayOverwriteProfile(true)) {
    case messages::Answer::yes:
        break;
    case messages::Answer::no:
        return true;
    case messages::Answer::back:
        edOutputFile->setText(numberedName);
        return false;
    }
    try {
        saveProfile();
    } catch (const ProfileSaveError& failure) {
        // A disk that stays full must not trap the window: after the report the user may leave
        // without writing, or stay, and the next run keeps its numbered name.
        errors::report(this, failure);
        if (messages::ask(
                this, QString::fromUtf8(texts::kApplicationTitle), language::text(texts::kCloseWithoutSaving), false)
            == messages::Answer::yes)
            return true;
        edOutputFile->setText(numberedName);
        return false;
    }
    return true;
}

messages::Answer TfKoraxGUI::mayOverwriteProfile(bool closing)
{
    if (platform::readVersion(kProfileFileName, kProfileSizeLimit) == profileVersion)
        return messages::Answer::yes;
    return messages::ask(
        this, QString::fromUtf8(texts::kApplicationTitle), language::text(texts::kProfileChangedElsewhere), closing);
}

void TfKoraxGUI::saveProfile()
{
    profileVersion = platform::savedVersion(kProfileFileName, profile->Save());
}

void TfKoraxGUI::reject()
{
    BitBtn1->click();
}

void TfKoraxGUI::closeEvent(QCloseEvent* event)
{
    // Disabled only while the planner runs: a close asked for then is dropped with the other input.
    if (!isEnabled()) {
        event->ignore();
        return;
    }
    TCloseAction action = TCloseAction::caHide;
    const bool finished = errors::runReported(this, [this, &action] { FormClose(action); });
    if (finished && action == TCloseAction::caHide)
        event->accept();
    else
        event->ignore();
}

void TfKoraxGUI::showEvent(QShowEvent* event)
{
    // A window given back from the taskbar stays where the user left it.
    if (!event->spontaneous())
        centreOnScreen(*this, size(), frameOf(*this));
    QDialog::showEvent(event);
}

bool TfKoraxGUI::eventFilter(QObject* watched, QEvent* event)
{
    // A group box has no click of its own: a left click on the frame's empty area is one.
    if (watched == gbDeepStops && event->type() == QEvent::MouseButtonRelease) {
        const auto* mouse = static_cast<const QMouseEvent*>(event);
        const QPoint at = mouse->position().toPoint();
        if (mouse->button() == Qt::LeftButton && gbDeepStops->rect().contains(at)
            && gbDeepStops->childAt(at) == nullptr)
            errors::runReported(this, [this] { chbDeepStopsClick(); });
    }
    return QDialog::eventFilter(watched, event);
}
