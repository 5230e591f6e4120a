// The main window of T/ROVA: every planner setting on three pages, the compute and exit buttons.
#pragma once

#include "files/FileVersion.h"
#include "ui_Koraxgui.h"

#include "platform/MessageBoxes.h"

#include <QDialog>

#include <memory>
#include <optional>
#include <string>

class TProfile;
class TfSaveChanges;

// What the close handler lets happen: the window hides (and the program ends) or stays.
enum class TCloseAction { caNone, caHide };

class TfKoraxGUI : public QDialog, private Ui::TfKoraxGUI {
    Q_OBJECT

public:
    // Builds the window and runs FormCreate. Throws ProfileOpenError when profile.dat cannot be
    // opened; any other failure of FormCreate is reported and the window still opens. Closing
    // before any run asks through saveChanges, which must outlive the window.
    explicit TfKoraxGUI(TfSaveChanges& saveChanges, QWidget* parent = nullptr);
    ~TfKoraxGUI() override;

    void FormCreate();
    void Button1Click();
    void chbUseOCDecoClick();
    void chbDeepStopsClick();
    void FormClose(TCloseAction& action);
    void BitBtn1Click();
    void InvalidateRepetitiveDives();
    void chbRepetitiveDivesClick();
    void PageControl1Change();

    void InvalidateDeepStops();
    // Every setting from profile into the controls, with the hints and the interlocks.
    void LoadProfile(TProfile& profile);
    // Every control into profile's lines; 0 (after its message) when the stop distance is refused.
    int StoreProfile(TProfile& profile);

    // Esc: the same as a click on "&Konec".
    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void connectHandlers();
    // Returns whether the close goes on: after a save, when the user declines to overwrite
    // another program's changes, or when he leaves without writing after a failed save. A
    // refused setting or "Zpět" keeps the window open.
    bool SaveProfileOnClose();
    // Whether profile.dat may be written now: unchanged since our last read or save, or the user
    // says to overwrite. Asked with "Zpět" only when closing.
    messages::Answer mayOverwriteProfile(bool closing);
    void saveProfile();

    int runCounter = 1;
    std::string outputBaseName;
    int computePressed = 0;
    std::unique_ptr<TProfile> profile;
    // profile.dat as we last read or wrote it, to notice edits by another program.
    std::optional<platform::FileVersion> profileVersion;
    TfSaveChanges& saveChanges;
};
