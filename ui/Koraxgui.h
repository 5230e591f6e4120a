// The main window of T/ROVA: every planner setting on three pages, the compute and exit buttons.
#pragma once

#include "platform/FileStamp.h"
#include "ui_Koraxgui.h"

#include "platform/MessageBoxes.h"

#include <QDialog>

#include <memory>
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

    // The controls of the form, by the names that the handlers and the transfers use.
    using Ui::TfKoraxGUI::BitBtn1;
    using Ui::TfKoraxGUI::Button1;
    using Ui::TfKoraxGUI::chbDeepStops;
    using Ui::TfKoraxGUI::chbOxyNarc;
    using Ui::TfKoraxGUI::chbRepetitiveDives;
    using Ui::TfKoraxGUI::chbSaltWater;
    using Ui::TfKoraxGUI::chbUpdateTissue;
    using Ui::TfKoraxGUI::chbUseOCDeco;
    using Ui::TfKoraxGUI::chDeleteFiles;
    using Ui::TfKoraxGUI::Config;
    using Ui::TfKoraxGUI::edAltitude;
    using Ui::TfKoraxGUI::edConservatism;
    using Ui::TfKoraxGUI::edDecoRmv;
    using Ui::TfKoraxGUI::edLastStopDepth;
    using Ui::TfKoraxGUI::edMaxEND;
    using Ui::TfKoraxGUI::edOcDecoGas;
    using Ui::TfKoraxGUI::edOcDecoMaxPO2;
    using Ui::TfKoraxGUI::edOutputFile;
    using Ui::TfKoraxGUI::edPrecision;
    using Ui::TfKoraxGUI::edPyleStopTime;
    using Ui::TfKoraxGUI::edRmv;
    using Ui::TfKoraxGUI::edSlideRate;
    using Ui::TfKoraxGUI::edStopDistance;
    using Ui::TfKoraxGUI::edSurfaceInterval;
    using Ui::TfKoraxGUI::edTissueFile;
    using Ui::TfKoraxGUI::gbDeepStops;
    using Ui::TfKoraxGUI::gbFiles;
    using Ui::TfKoraxGUI::gbRepetitiveDives;
    using Ui::TfKoraxGUI::GroupBox1;
    using Ui::TfKoraxGUI::GroupBox2;
    using Ui::TfKoraxGUI::GroupBox4;
    using Ui::TfKoraxGUI::GroupBox5;
    using Ui::TfKoraxGUI::GroupBox7;
    using Ui::TfKoraxGUI::GroupBox8;
    using Ui::TfKoraxGUI::Image1;
    using Ui::TfKoraxGUI::Label1;
    using Ui::TfKoraxGUI::Label10;
    using Ui::TfKoraxGUI::Label11;
    using Ui::TfKoraxGUI::Label12;
    using Ui::TfKoraxGUI::Label13;
    using Ui::TfKoraxGUI::Label14;
    using Ui::TfKoraxGUI::Label15;
    using Ui::TfKoraxGUI::Label16;
    using Ui::TfKoraxGUI::Label17;
    using Ui::TfKoraxGUI::Label18;
    using Ui::TfKoraxGUI::Label19;
    using Ui::TfKoraxGUI::Label2;
    using Ui::TfKoraxGUI::Label20;
    using Ui::TfKoraxGUI::Label21;
    using Ui::TfKoraxGUI::Label22;
    using Ui::TfKoraxGUI::Label3;
    using Ui::TfKoraxGUI::Label5;
    using Ui::TfKoraxGUI::Label6;
    using Ui::TfKoraxGUI::Label7;
    using Ui::TfKoraxGUI::Label8;
    using Ui::TfKoraxGUI::Label9;
    using Ui::TfKoraxGUI::lblAbout;
    using Ui::TfKoraxGUI::lblAbout2;
    using Ui::TfKoraxGUI::lblAbout3;
    using Ui::TfKoraxGUI::lOCDecoGas;
    using Ui::TfKoraxGUI::lOutputFile;
    using Ui::TfKoraxGUI::lPyleStopTime;
    using Ui::TfKoraxGUI::lTissue;
    using Ui::TfKoraxGUI::mAscentRates;
    using Ui::TfKoraxGUI::mDescentRates;
    using Ui::TfKoraxGUI::PageControl1;
    using Ui::TfKoraxGUI::Panel1;
    using Ui::TfKoraxGUI::rgAlgorithm;
    using Ui::TfKoraxGUI::rgAlgorithmItem0;
    using Ui::TfKoraxGUI::rgAlgorithmItem1;
    using Ui::TfKoraxGUI::rgDeepStops;
    using Ui::TfKoraxGUI::rgDeepStopsItem0;
    using Ui::TfKoraxGUI::rgDeepStopsItem1;
    using Ui::TfKoraxGUI::rgUnits;
    using Ui::TfKoraxGUI::rgUnitsItem0;
    using Ui::TfKoraxGUI::rgUnitsItem1;
    using Ui::TfKoraxGUI::sgDiveProfile;
    using Ui::TfKoraxGUI::tsDive;
    using Ui::TfKoraxGUI::tsGases;
    using Ui::TfKoraxGUI::tsKorax;

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
    // Returns whether the close goes on: after a save, or when the user declines to overwrite
    // another program's changes. A refused setting or "Zpět" keeps the window open.
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
    platform::FileStamp profileStamp;
    TfSaveChanges& saveChanges;
};
